# The release zip: both programs side by side (stripped), the user guide and
# the sample items. `cmake --build --preset mingw64 --target package`.

install(TARGETS Zrnx RUNTIME DESTINATION .)
# The options editor joins once it is part of the tree.
if(TARGET ZrnxSet)
  install(TARGETS ZrnxSet RUNTIME DESTINATION .)
endif()

# CRLF for Notepad; the guide keeps its UTF-8 byte order mark, so Notepad
# reads it right on any Windows.
configure_file(${PROJECT_SOURCE_DIR}/package/ReadMe-ja.txt.in ${CMAKE_BINARY_DIR}/package/ReadMe-ja.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/ReadMe-ja.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/greeting.zrx ${PROJECT_SOURCE_DIR}/samples/homepage.url
              ${PROJECT_SOURCE_DIR}/samples/memo.txt ${PROJECT_SOURCE_DIR}/samples/reply.zrx
        DESTINATION samples)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZRNX_PACKAGE_ARCH win64)
else()
  set(ZRNX_PACKAGE_ARCH win32)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "Zarnik NX")
set(CPACK_PACKAGE_VENDOR "Zarnik NX")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "Zarnik-NX-${PROJECT_VERSION}-${ZRNX_PACKAGE_ARCH}")
# Files at the top: Explorer's "Extract all" makes the folder itself.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(ZRNX_PACKAGE_ZIP ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)
