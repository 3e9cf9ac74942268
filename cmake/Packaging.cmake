# The Debian package: the program and its movies in /usr/lib/yelvanis, a
# launcher on the path, the menu entry, the icon in the theme's sizes and the
# AppStream metadata. `cmake --build <build> --target package` writes
# yelvanis_<version>_amd64.deb.

# Empty: beside the marches, on the march server.
set(YELVANIS_SCREENSHOT_URL "" CACHE STRING
  "Where the AppStream metadata says the main screen's screenshot is published")
if(YELVANIS_SCREENSHOT_URL)
  set(screenshot_url "${YELVANIS_SCREENSHOT_URL}")
else()
  set(screenshot_url "${YELVANIS_MARCH_SERVER}/ekran/giris.png")
endif()

# The files made from others (icons, the screenshot, the compressed
# changelog) are made only when packaging, by packaging/stage.cmake, straight
# into the package's tree: an ordinary build neither runs nor needs their
# generators.
find_program(YELVANIS_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
set(CPACK_YELVANIS_PYTHON "${YELVANIS_SYSTEM_PYTHON}")
set(CPACK_YELVANIS_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
set(CPACK_YELVANIS_SHOTS "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/yelvanis-shots")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_SOURCE_DIR}/packaging/stage.cmake")

configure_file(${CMAKE_SOURCE_DIR}/packaging/org.yelvanis.Yelvanis.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/org.yelvanis.Yelvanis.metainfo.xml @ONLY)

install(PROGRAMS packaging/yelvanis DESTINATION bin)
install(FILES packaging/yelvanis.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/org.yelvanis.Yelvanis.metainfo.xml DESTINATION share/metainfo)
install(FILES packaging/copyright DESTINATION share/doc/yelvanis)
# The manual page goes in compressed, by packaging/stage.cmake.
file(GLOB font_copyrights ${CMAKE_SOURCE_DIR}/src/content/fonts/licences/*.copyright)
install(FILES ${font_copyrights} DESTINATION share/doc/yelvanis/fonts)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yelvanis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multimedia presentation of Ottoman history, in Turkish")
# CPack puts the summary above this as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Yelvanis tells the history of the Ottoman state in Turkish: the lives of its
thirty-six rulers, a chronology in eight periods, military-band (mehter)
marches streamed from a web server, articles, photographs, maps as
animations and a glossary of titles.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Yelvanis maintainers <maintainers@yelvanis.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
# What the program links, found by dpkg-shlibdeps (Qt, FFmpeg's libraries
# for the marches' sound, PulseAudio's client); what it loads at run time,
# named here: Qt's platform plug-ins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-gtk-platformtheme")
include(CPack)

add_test(NAME test_package
  COMMAND ${CMAKE_SOURCE_DIR}/packaging/check-package.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(test_package PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)

# The deployment's march server: the nginx site in deploy/ on a loopback port.
add_test(NAME test_march_site COMMAND ${CMAKE_SOURCE_DIR}/deploy/nginx/check-site.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(test_march_site PROPERTIES TIMEOUT 60)

# The local march server of scripts/run, serving a folder only its owner may enter.
add_test(NAME test_local_march_server
  COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/check-march-server.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(test_local_march_server PROPERTIES TIMEOUT 60)
