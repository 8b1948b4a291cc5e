# Small helpers shared by the CMake files of the tree.

# zrnx_unit_test(<name> SOURCES <files...> LIBS <targets...>)
# A GoogleTest program of platform-free logic. It is built for every target;
# on the host each case is registered with CTest, on MinGW x86_64 the whole
# program runs once under Wine.
function(zrnx_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(NOT WIN32)
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
  elseif(ZRNX_RUN_WINE_TESTS)
    # The same logic compiled by MinGW, run once under Wine with the Japanese
    # locale: the host's tests model its code page, 932.
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tools/winerun --japanese -- $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS unit-wine TIMEOUT 300
                         ENVIRONMENT "ZRNX_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template")
  endif()
endfunction()

# zrnx_wine_test(<name> SOURCES <files...> LIBS <targets...> [DEPENDS <targets...>]
#                [JAPANESE] [TIMEOUT <seconds>])
# A GoogleTest program that runs under Wine and drives the real programs.
# Each run gets a fresh Wine prefix and its own X display (tools/winerun);
# JAPANESE runs it with the Japanese locale (code page 932).
function(zrnx_wine_test name)
  cmake_parse_arguments(ARG "JAPANESE" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zrnx_wine_support GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  if(ZRNX_RUN_WINE_TESTS)
    set(locale_args)
    if(ARG_JAPANESE)
      set(locale_args --japanese)
    endif()
    if(NOT ARG_TIMEOUT)
      set(ARG_TIMEOUT 300)
    endif()
    add_test(NAME ${name}
             COMMAND ${PROJECT_SOURCE_DIR}/tools/winerun ${locale_args} -- $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT ${ARG_TIMEOUT}
                         ENVIRONMENT "ZRNX_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template")
  endif()
endfunction()

# Windows programs and helpers: link the system libraries the Win32 layer uses.
set(ZRNX_WIN32_LIBS ole32 oleaut32 uuid shell32 user32 gdi32 comctl32 comdlg32 advapi32 kernel32)
