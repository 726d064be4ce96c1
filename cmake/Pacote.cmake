# The Debian package (tools/empacotar.sh, or `cmake --build build --target
# package`): the program folder of the build, as in bin/, installed in
# /usr/lib/vesk with the marker that sends each user's data to the user's own
# folder, the commands in /usr/bin, the menu entry and the icon.

# The icon: one drawing (tools/pacote/vesk.svg), rendered by the build into
# the sizes of the icon theme.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(vesk-icone tools/pacote/renderizar_icone.cpp)
target_link_libraries(vesk-icone PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(vesk-icone PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/ferramentas)
set(VESK_ICONE_SVG ${CMAKE_SOURCE_DIR}/tools/pacote/vesk.svg)
set(VESK_ICONES ${CMAKE_BINARY_DIR}/entrega/icones)
set(VESK_ICONES_TAMANHOS 16 22 24 32 48 64 128 256)
set(VESK_ICONES_PNG "")
foreach(t IN LISTS VESK_ICONES_TAMANHOS)
  list(APPEND VESK_ICONES_PNG ${VESK_ICONES}/${t}x${t}/apps/vesk.png)
endforeach()
add_custom_command(
  OUTPUT ${VESK_ICONES_PNG}
  COMMAND vesk-icone ${VESK_ICONE_SVG} ${VESK_ICONES} ${VESK_ICONES_TAMANHOS}
  DEPENDS vesk-icone ${VESK_ICONE_SVG}
  COMMENT "Rendering the icon"
  VERBATIM)
add_custom_target(icones ALL DEPENDS ${VESK_ICONES_PNG})

# /usr/lib/vesk/bin mirrors the build's bin/. (One level below /usr/lib/vesk, the
# sealing library is not taken for a system library: no ldconfig scripts.)
set(VESK_INSTALADA lib/vesk/bin)
file(WRITE ${CMAKE_BINARY_DIR}/entrega/vesk.instalado
     "Este arquivo indica uma cópia instalada: os dados de cada usuário ficam em\n"
     "~/.local/share/vesk, nunca nesta pasta.\n")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/entrega/comandos)
foreach(programa vesk vesk-cli)
  file(CREATE_LINK ../${VESK_INSTALADA}/${programa} ${CMAKE_BINARY_DIR}/entrega/comandos/${programa}
       SYMBOLIC)
endforeach()

install(TARGETS vesk vesk-cli RUNTIME DESTINATION ${VESK_INSTALADA})
install(TARGETS lkwselo LIBRARY DESTINATION ${VESK_INSTALADA})
# The database as the scripts made it, never the one in bin/ that the
# developer's own runs may have filled.
install(FILES ${VESK_DB_ENTREGUE} DESTINATION ${VESK_INSTALADA}/BD)
install(FILES db/MOLT.ini ${CMAKE_BINARY_DIR}/entrega/vesk.instalado DESTINATION ${VESK_INSTALADA})
install(FILES ${CMAKE_BINARY_DIR}/entrega/comandos/vesk ${CMAKE_BINARY_DIR}/entrega/comandos/vesk-cli
        DESTINATION bin)
install(FILES tools/pacote/vesk.desktop DESTINATION share/applications)
install(DIRECTORY ${VESK_ICONES}/ DESTINATION share/icons/hicolor)
install(FILES ${VESK_ICONE_SVG} DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Equipe do VESK <suporte@vesk.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VESK Eletrônica: recolhimento rescisório ao ZELT")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "VESK Eletrônica: recolhimento rescisório ao ZELT\n"
    "Programa com que o empregador, ou o contador que o representa, prepara o\n"
    "que a rescisão de um trabalhador torna devido ao ZELT: importa a folha de\n"
    "pagamento, calcula cada vínculo, fecha o movimento em guias com código de\n"
    "barras e no arquivo selado para o banco, imprime guias e extratos, troca\n"
    "os demais arquivos com o banco e faz o backup do banco de dados.\n"
    "Os dados de cada usuário ficam em ~/.local/share/vesk.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/pacote)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; these are loaded
# at run time: the embedded database engine and Qt's Portuguese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core, qt6-translations-l10n")
include(CPack)

# The package built and checked as installed (tools/pacote/testar.sh: on CI
# installed for real, elsewhere into a private root).
if(VESK_TESTS)
  add_test(NAME pacote COMMAND bash ${CMAKE_SOURCE_DIR}/tools/pacote/testar.sh ${CMAKE_BINARY_DIR})
  # Exit 77: not root, so the installed form was not checked.
  set_tests_properties(pacote PROPERTIES TIMEOUT 900 LABELS pacote SKIP_RETURN_CODE 77)
endif()
