# The fuzz targets (tests/fuzz) are built by clang with libFuzzer and the address and undefined
# behaviour sanitizers, in a CMake build of their own under this build tree, and each runs for a
# bounded time as one test; a crash, a sanitizer finding or a broken property fails it.
option(TARNWICK_FUZZ "Build and run the fuzz targets (clang-14, libclang-rt-14-dev)" ON)
set(TARNWICK_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs under ctest")
if(NOT TARNWICK_FUZZ)
    return()
endif()

find_program(TARNWICK_FUZZ_CXX NAMES clang++-14 clang++)
if(NOT TARNWICK_FUZZ_CXX)
    message(FATAL_ERROR "The fuzz targets need clang++-14 (scripts/setup.sh installs it), "
                        "or configure with -DTARNWICK_FUZZ=OFF")
endif()

include(ExternalProject)
set(FUZZ_BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
ExternalProject_Add(tarnwick_fuzz
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
    BINARY_DIR ${FUZZ_BINARY_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${TARNWICK_FUZZ_CXX} -DTARNWICK_SOURCE_DIR=${PROJECT_SOURCE_DIR}
               -DCMAKE_PREFIX_PATH=${CMAKE_PREFIX_PATH}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)

foreach(name scanner ini codepage)
    set(dictionary ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${name}.dict)
    if(NOT EXISTS ${dictionary})
        set(dictionary "")
    endif()
    add_test(NAME Fuzz.${name}
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run_fuzz.sh ${FUZZ_BINARY_DIR}/${name}_fuzz
                     ${TARNWICK_FUZZ_SECONDS} ${FUZZ_BINARY_DIR}/runs/${name}
                     ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/seeds/${name} ${dictionary})
    set_tests_properties(Fuzz.${name} PROPERTIES TIMEOUT 180 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
endforeach()
