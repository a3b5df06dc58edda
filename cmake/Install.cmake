# The program as its users get it: one self-contained folder that is unpacked where the
# user wants it and started from there. The program saves into Shared/Costruzioni beside
# its executable and never creates that folder, so the folder ships with the program.
#
#   cmake --install build --prefix ~/Ombrazio     lays the folder out
#   cpack --config build/CPackConfig.cmake          packs the same folder as a .tar.gz

set(OMBRAZIO_CARTELLA_SALVATAGGIO "Shared/Costruzioni")

install(TARGETS ombrazio
  RUNTIME DESTINATION .
  BUNDLE DESTINATION .)

# An empty folder: written by the user's saves, never by the installer.
install(DIRECTORY DESTINATION "${OMBRAZIO_CARTELLA_SALVATAGGIO}"
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                        WORLD_READ WORLD_EXECUTE)

# Qt's own Italian (found in CMakeLists.txt), which the program looks for in translations/
# beside itself.
if(OMBRAZIO_QTBASE_IT)
  install(FILES "${OMBRAZIO_QTBASE_IT}" DESTINATION translations)
else()
  message(WARNING "qtbase_it.qm not found (Debian: qt6-translations-l10n): the package will show "
                  "Qt's own texts in English. Point OMBRAZIO_QTBASE_IT at the file to carry it.")
endif()
# The manual travels with the program, its pictures where its links expect them.
install(FILES README.md DESTINATION .)
install(DIRECTORY docs/ DESTINATION docs FILES_MATCHING PATTERN "*.png")

# ---- Linux desktop only ---------------------------------------------------------------
# The freedesktop launcher and the script that registers it for the current user. This is
# the one place of the build that is specific to Linux desktops; Windows and macOS get the
# folder above and nothing else.
if(UNIX AND NOT APPLE)
  install(FILES resources/ombrazio.png resources/ombrazio@2x.png desktop/ombrazio.svg
    DESTINATION .)
  install(FILES desktop/ombrazio.desktop DESTINATION .)
  install(PROGRAMS tools/install-launcher.sh DESTINATION .)
endif()
# ---------------------------------------------------------------------------------------

# ---- Windows ---------------------------------------------------------------------------
# A portable folder: nothing is installed on the machine, so the program carries the Qt
# and compiler run-time libraries it loads and the plugins Qt looks for beside it. The
# icon is inside the .exe.
if(WIN32)
  install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    $<TARGET_FILE:Qt6::PrintSupport> DESTINATION .)
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
  if(MINGW)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE percorso OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(NOT IS_ABSOLUTE "${percorso}" OR NOT EXISTS "${percorso}")
        message(FATAL_ERROR "The compiler's run-time library ${dll} was not found")
      endif()
      # Shipped stripped: libstdc++ alone is over 20 MB with its symbols.
      set(spogliata "${CMAKE_BINARY_DIR}/runtime/${dll}")
      file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/runtime")
      execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o "${spogliata}" "${percorso}"
        COMMAND_ERROR_IS_FATAL ANY)
      install(FILES "${spogliata}" DESTINATION .)
    endforeach()
  endif()
endif()
# ---------------------------------------------------------------------------------------

set(CPACK_PACKAGE_NAME "Ombrazio")
set(CPACK_PACKAGE_VENDOR "Ombrazio")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose number combinations on a board and save them as a list")
set(CPACK_SOURCE_GENERATOR "")
# The archive unpacks into one folder, never loose into the current directory.
if(WIN32)
  # A zip, as Windows opens it with a double click; its folder is plainly "Ombrazio".
  set(CPACK_GENERATOR "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "Ombrazio-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGING_INSTALL_PREFIX "/Ombrazio")
else()
  set(CPACK_GENERATOR "TGZ")
  set(CPACK_PACKAGE_FILE_NAME "Ombrazio-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  # Nothing outside the program folder: no /usr, no system-wide files.
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
