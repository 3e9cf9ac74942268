# Run by CPack after installing into the package's tree, before packing: the
# files made from others go straight into that tree.
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${root}/lib/yelvanis")
  message(FATAL_ERROR "the package's tree is not at ${root}")
endif()

execute_process(
  COMMAND "${CPACK_YELVANIS_PYTHON}" "${CPACK_YELVANIS_SOURCE_DIR}/packaging/make_icons.py"
          "${CPACK_YELVANIS_SOURCE_DIR}/src/content/main/giris.ico" "${root}/share/icons/hicolor"
  COMMAND_ERROR_IS_FATAL ANY)

# The main screen as it opens, for the AppStream metadata.
set(shots "${root}/share/yelvanis/screenshots")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "${CPACK_YELVANIS_SHOTS}" "${shots}" giris
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
if(NOT EXISTS "${shots}/giris.png")
  message(FATAL_ERROR "no screenshot of the main screen")
endif()

execute_process(
  COMMAND gzip -9nc "${CPACK_YELVANIS_SOURCE_DIR}/packaging/changelog"
  OUTPUT_FILE "${root}/share/doc/yelvanis/changelog.gz"
  COMMAND_ERROR_IS_FATAL ANY)

file(MAKE_DIRECTORY "${root}/share/man/man1")
execute_process(
  COMMAND gzip -9nc "${CPACK_YELVANIS_SOURCE_DIR}/packaging/yelvanis.1"
  OUTPUT_FILE "${root}/share/man/man1/yelvanis.1.gz"
  COMMAND_ERROR_IS_FATAL ANY)
