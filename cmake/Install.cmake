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

install(FILES resources/ombrazio.png resources/ombrazio@2x.png desktop/ombrazio.svg
  DESTINATION .)
# Qt's own Italian for the texts that come from Qt (context menus, the open dialog), which the
# program looks for in translations/ beside itself. The file is the same on every platform, so
# it is taken from the build machine's Qt even when the build is for another system.
find_file(OMBRAZIO_QTBASE_IT qtbase_it.qm
  PATHS /usr/share/qt6/translations
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
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
  install(FILES desktop/ombrazio.desktop DESTINATION .)
  install(PROGRAMS tools/install-launcher.sh DESTINATION .)
endif()
# ---------------------------------------------------------------------------------------

set(CPACK_PACKAGE_NAME "Ombrazio")
set(CPACK_PACKAGE_VENDOR "Ombrazio")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose number combinations on a board and save them as a list")
set(CPACK_GENERATOR "TGZ")
set(CPACK_SOURCE_GENERATOR "")
# The archive unpacks into one folder named after the package, never loose into the
# current directory.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_FILE_NAME "Ombrazio-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
# Nothing outside the program folder: no /usr, no system-wide files.
set(CPACK_PACKAGING_INSTALL_PREFIX "")
set(CPACK_STRIP_FILES ON)
include(CPack)
