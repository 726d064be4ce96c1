#!/usr/bin/env bash
# Builds the Debian package and checks it as its users meet it:
#  - dpkg-deb --info/--contents: programs, sealing library, the untouched
#    database, MOLT.ini, menu entry, icon sizes, dependencies;
#  - installed, then used by an ordinary user (uid 65534, no account is
#    created): `vesk-cli versao` makes the user's data folder, a payroll import
#    is stored there, the desktop program starts offscreen from the installed
#    path; removed, the user's data stays.
# With CI=true as root (a clean machine of its own) the package is installed
# for real with apt-get and removed at the end. Elsewhere, on a machine that
# others share, nothing is installed system-wide: apt-get only simulates the
# install (every dependency must resolve) and the package goes into a private
# root with dpkg --root. VESK_PACOTE_MODO=sistema|raiz chooses by hand.
#   bash tools/pacote/testar.sh [BUILD]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-${VESK_BUILD:-$raiz/build}}"
versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
modo="${VESK_PACOTE_MODO:-}"
if [ -z "$modo" ]; then
  if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ]; then modo=sistema; else modo=raiz; fi
fi

cmake --build "$build" -j 2 --target package >/dev/null 2>&1
deb=$(ls "$build"/pacote/vesk_"$versao"_*.deb)
echo "Pacote: $deb ($(du -h "$deb" | cut -f1)), instalação: $modo"

passou=0
falhou=0
confere() { # description, command...
  local descricao="$1"
  shift
  if "$@"; then
    passou=$((passou + 1))
  else
    falhou=$((falhou + 1))
    echo "FALHOU: $descricao" >&2
  fi
}
contem() { grep -qE -- "$2" <<<"$1"; }

# --- the package as a file -----------------------------------------------------
conteudo=$(dpkg-deb --contents "$deb")
dependencias=$(dpkg-deb --field "$deb" Depends)
confere "versão $versao" test "$(dpkg-deb --field "$deb" Version)" = "$versao"
confere "dpkg-deb --info" contem "$(dpkg-deb --info "$deb")" "Package: vesk"
# (libcurl joins by itself once a program links it: nothing does yet.)
for d in libqt6widgets6 libqt6printsupport6 libfbclient2 firebird3.0-server-core 'libzip[0-9]' \
         'libxml2' 'libssl3' 'libzint[0-9]' qt6-translations-l10n; do
  confere "depende de $d" contem "$dependencias" "(^|, )$d"
done
for f in lib/vesk/bin/vesk lib/vesk/bin/vesk-cli lib/vesk/bin/lkwselo.so lib/vesk/bin/BD/VESK.FDB \
         lib/vesk/bin/MOLT.ini lib/vesk/bin/vesk.instalado share/applications/vesk.desktop \
         share/icons/hicolor/scalable/apps/vesk.svg; do
  confere "contém /usr/$f" contem "$conteudo" " \./usr/$f\$"
done
for t in 16 22 24 32 48 64 128 256; do
  confere "ícone ${t}x$t" contem "$conteudo" " \./usr/share/icons/hicolor/${t}x$t/apps/vesk\.png\$"
done
for p in vesk vesk-cli; do
  confere "/usr/bin/$p" contem "$conteudo" " \./usr/bin/$p -> \.\./lib/vesk/bin/$p\$"
done

temp=$(mktemp -d)
chmod 755 "$temp"
instalado=""
limpar() {
  if [ "$instalado" = sistema ]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vesk >/dev/null 2>&1 || true
  fi
  rm -rf "$temp"
}
trap limpar EXIT

extraido="$temp/extraido"
dpkg-deb -x "$deb" "$extraido"
entrada="$extraido/usr/share/applications/vesk.desktop"
for linha in 'Type=Application' 'Name=VESK Eletrônica' 'Comment=.+' 'Exec=vesk' 'Icon=vesk' \
             'Categories=Office;Finance;' 'Terminal=false'; do
  confere "entrada do menu: $linha" grep -qxE "$linha" "$entrada"
done
if command -v desktop-file-validate >/dev/null; then
  confere "desktop-file-validate" desktop-file-validate "$entrada"
fi
# The database delivered is the one the scripts made, untouched by any run.
confere "banco entregue intocado" cmp -s "$extraido/usr/lib/vesk/bin/BD/VESK.FDB" "$build/entrega/BD/VESK.FDB"
rm -rf "$extraido"

# --- installed -----------------------------------------------------------------
if [ "$(id -u)" != 0 ]; then
  # Installing and acting as another user need root; the suite reports a skip.
  echo "pacote: $passou passed, $falhou failed (instalação não conferida: precisa de root)"
  [ "$falhou" = 0 ] && exit 77
  exit 1
fi
if [ "$modo" = sistema ]; then
  if dpkg -s vesk >/dev/null 2>&1; then
    echo "vesk já está instalado nesta máquina; use VESK_PACOTE_MODO=raiz" >&2
    exit 1
  fi
  prefixo=""
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
  instalado=sistema
else
  confere "apt-get resolve as dependências" contem "$(apt-get -s install "$deb" 2>&1)" "^Inst vesk "
  prefixo="$temp/raiz"
  mkdir -p "$prefixo/var/lib/dpkg/info" "$prefixo/var/lib/dpkg/updates"
  touch "$prefixo/var/lib/dpkg/status"
  dpkg --root="$prefixo" --force-depends -i "$deb" >/dev/null 2>&1
fi
confere "instalado" test -x "$prefixo/usr/bin/vesk-cli"

# An ordinary user with an empty home.
usuario=65534
casa="$temp/casa"
mkdir -p "$casa"
chown "$usuario:$usuario" "$casa"
dados="$casa/.local/share/vesk"
comousuario() {
  setpriv --reuid="$usuario" --regid="$usuario" --clear-groups \
    env -i HOME="$casa" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
}

saida=$(comousuario "$prefixo/usr/bin/vesk-cli" versao 2>&1) || true
confere "vesk-cli versao como usuário: $saida" test "$saida" = "$versao"
confere "pasta de dados criada" test -f "$dados/BD/VESK.FDB" -a -f "$dados/MOLT.ini"
confere "pasta de dados só do usuário" test "$(stat -c '%a %u' "$dados")" = "700 $usuario"
confere "banco novo sem empresas" test "$(comousuario "$prefixo/usr/bin/vesk-cli" localizar --nome A \
  --empresa >/dev/null 2>&1; echo $?)" = 1

python3 "$raiz/tools/gerar_folha/gerar_folha.py" --empresas 2 --vinculos 6 \
  --semente 27 "$casa/VESK.re" >/dev/null
chown "$usuario:$usuario" "$casa/VESK.re"
calado() { "$@" >/dev/null; }
confere "importação da folha" calado comousuario "$prefixo/usr/bin/vesk-cli" importar-folha "$casa/VESK.re"
confere "empresas guardadas na pasta de dados" \
  calado comousuario "$prefixo/usr/bin/vesk-cli" localizar --nome A --empresa

# The desktop program from the installed path, offscreen: it opens the
# imported data and stays in its main window until it is told to leave.
comousuario QT_QPA_PLATFORM=offscreen "$prefixo/usr/bin/vesk" >"$temp/vesk.log" 2>&1 &
pid=$!
for _ in $(seq 1 40); do
  [ -d "$dados/Arquivos/Guia Rescisoria" ] && break
  sleep 0.5
done
sleep 2
confere "programa aberto" kill -0 "$pid"
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
confere "programa encerrado pelo sinal (status $status)" test "$status" = 143
confere "pastas de trabalho na pasta de dados" test -d "$dados/Arquivos/Guia Rescisoria"
confere "sem erro registrado" test ! -e "$dados/LogErro.log"

# --- removed -------------------------------------------------------------------
antes=$(md5sum "$dados/BD/VESK.FDB")
if [ "$modo" = sistema ]; then
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vesk >/dev/null
  instalado=""
else
  dpkg --root="$prefixo" --force-depends --purge vesk >/dev/null 2>&1
fi
confere "programa removido" test ! -e "$prefixo/usr/lib/vesk" -a ! -e "$prefixo/usr/bin/vesk"
confere "dados do usuário mantidos" test "$(md5sum "$dados/BD/VESK.FDB")" = "$antes" -a -f "$dados/MOLT.ini"

echo "pacote: $passou passed, $falhou failed"
test "$falhou" = 0
