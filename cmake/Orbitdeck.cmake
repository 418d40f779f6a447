# Shared build settings and helpers for every module, test, benchmark and fuzz target.

add_library(orbitdeck_warnings INTERFACE)
target_compile_options(orbitdeck_warnings INTERFACE -Wall -Wextra -Wpedantic
  $<$<BOOL:${ORBITDECK_WERROR}>:-Werror>)

# Smaller programs, and so less of them read at start: every function and datum in a section of
# its own, the linker drops those nothing reaches, and relative relocations are packed (DT_RELR)
# where the linker knows how. In CMAKE_CXX_FLAGS, ahead of each configuration's own flags.
string(APPEND CMAKE_CXX_FLAGS " -ffunction-sections -fdata-sections -fvisibility-inlines-hidden")
string(APPEND CMAKE_EXE_LINKER_FLAGS " -Wl,--gc-sections")
include(CheckLinkerFlag)
check_linker_flag(CXX "-Wl,-z,pack-relative-relocs" ORBITDECK_LINKER_PACKS_RELOCS)
if(ORBITDECK_LINKER_PACKS_RELOCS)
  # Not for a target linked by lld (ORBITDECK_START_SYMBOLS): lld 14 does not know the flag.
  add_link_options("$<$<AND:$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>,$<NOT:$<BOOL:$<TARGET_PROPERTY:ORBITDECK_START_SYMBOLS>>>>:LINKER:-z,pack-relative-relocs>")
endif()
# lld places the functions of a list first (orbitdeck_start_symbols): GNU ld 2.40 cannot.
check_linker_flag(CXX "-fuse-ld=lld" ORBITDECK_HAS_LLD)

# Links target with the functions and data named in symbols (one linker symbol a line) first,
# together, when lld is there: what a start runs then lies in a few pages instead of spread
# over the whole program, and a start maps only those. Without lld, links as any other.
function(orbitdeck_start_symbols target symbols)
  if(NOT ORBITDECK_HAS_LLD)
    return()
  endif()
  set_target_properties(${target} PROPERTIES ORBITDECK_START_SYMBOLS ON LINK_DEPENDS ${symbols})
  # lld 14 packs relative relocations (--pack-dyn-relocs=relr) without the version glibc asks
  # for, so they stay unpacked here.
  target_link_options(${target} PRIVATE -fuse-ld=lld "LINKER:--symbol-ordering-file=${symbols}"
    LINKER:--no-warn-symbol-ordering)
endfunction()

if(ORBITDECK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  if(ORBITDECK_WITH_QT)
    # Qt's own headers downcast windows while they are being destroyed (QPointer<QQuickWindow>),
    # which the vptr check reports in every view test; the rest of UBSan stays on.
    add_compile_options(-fno-sanitize=vptr)
  endif()
endif()

# Real-window tests and benchmarks run their command on a private Xvfb each:
# ${ORBITDECK_WITH_XVFB} <WxHxD> <command...>. Unset when the machine has no Xvfb.
find_program(XVFB_SERVER Xvfb)
if(XVFB_SERVER)
  set(ORBITDECK_WITH_XVFB ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh)
endif()

# Tests and benchmarks never see the machine's own desktop entries and icon themes: their data
# folders are a folder that does not exist, and each test brings its own.
# GSettings keeps to the process's memory: the user's dconf is never read or written.
set(ORBITDECK_TEST_DATA_DIRS
  "XDG_DATA_DIRS=${PROJECT_BINARY_DIR}/no-system-data;GSETTINGS_BACKEND=memory")
# The schemas of GNOME's settings the launcher uses, compiled into a private folder (tests/):
# tests that need them name it in GSETTINGS_SCHEMA_DIR.
set(ORBITDECK_TEST_GSCHEMAS ${PROJECT_BINARY_DIR}/tests/gschemas)

# orbitdeck_module(<target> [DEPS ...]): one library per module folder, sources are the folder's .cpp files.
function(orbitdeck_module target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS} orbitdeck_warnings)
endfunction()

# orbitdeck_test(<name> LABEL <label> SOURCES ... LIBS ... [ENV ...] [CUSTOM_MAIN]): one test
# executable, one CTest entry. GoogleTest's main is linked unless CUSTOM_MAIN is given.
function(orbitdeck_test name)
  cmake_parse_arguments(ARG "CUSTOM_MAIN" "LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock orbitdeck_warnings)
  if(NOT ARG_CUSTOM_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "ORBITDECK_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ORBITDECK_TEST_DATA_DIRS};${ARG_ENV}")
endfunction()

# orbitdeck_fuzz_target(<name> SOURCES ... LIBS ... CORPUS <dir>): a libFuzzer binary when
# ORBITDECK_FUZZ is on, and always a replay of the corpus as a CTest entry (label fuzz-replay).
function(orbitdeck_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(ORBITDECK_FUZZ)
    add_executable(${name}_fuzzer ${ARG_SOURCES})
    target_compile_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name}_fuzzer PRIVATE ${ARG_LIBS})
  endif()
  add_executable(${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
  add_test(NAME ${name}_replay COMMAND ${name}_replay ${ARG_CORPUS})
  set_tests_properties(${name}_replay PROPERTIES LABELS fuzz-replay TIMEOUT 300)
endfunction()

# orbitdeck_benchmark(<name> SOURCES ... LIBS ...): built with everything; CTest runs it once in
# its quick mode (ORBITDECK_BENCH_QUICK=1) so it cannot rot.
function(orbitdeck_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} orbitdeck_warnings)
  add_test(NAME ${name}_smoke COMMAND ${name})
  set_tests_properties(${name}_smoke PROPERTIES LABELS bench TIMEOUT 600
    ENVIRONMENT "ORBITDECK_BENCH_QUICK=1;ORBITDECK_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ORBITDECK_TEST_DATA_DIRS}")
endfunction()

# orbitdeck_benchmark_folder(LIBS ...): one orbitdeck_benchmark per .cpp file of the calling
# folder, named after the file.
function(orbitdeck_benchmark_folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME_WE)
    orbitdeck_benchmark(${name} SOURCES ${source} LIBS ${ARG_LIBS})
  endforeach()
endfunction()

# orbitdeck_add_module_folders(): adds every subfolder of the calling folder that has a
# CMakeLists.txt; without Qt only those of the Qt-free modules.
function(orbitdeck_add_module_folders)
  file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry IN LISTS entries)
    get_filename_component(name ${entry} NAME)
    if(IS_DIRECTORY ${entry} AND EXISTS ${entry}/CMakeLists.txt)
      list(FIND ORBITDECK_CORE_MODULES ${name} core_index)
      if(NOT core_index EQUAL -1 OR ORBITDECK_WITH_QT)
        add_subdirectory(${name})
      endif()
    endif()
  endforeach()
endfunction()

# orbitdeck_drop_stale_qml(<folder> <file names...>): removes the .qml files a module's build copy
# still holds but its sources no longer do (a file moved to another module), which qmllint and
# qmlcachegen would otherwise still see as the module's types.
function(orbitdeck_drop_stale_qml folder)
  file(GLOB built RELATIVE ${folder} ${folder}/*.qml)
  foreach(name IN LISTS built)
    if(NOT name IN_LIST ARGN)
      file(REMOVE ${folder}/${name})
    endif()
  endforeach()
endfunction()

# orbitdeck_qml_module(<target> URI <uri> [PLUGIN_TARGET <name>] [DEPENDENCIES <uri>...]): makes a
# module's library the QML module <uri> with the views in its qml/ folder, each at the module's
# root in the resources (qrc:/qt/qml/<uri as path>/<file>) and the module's C++ types beside them.
# DEPENDENCIES are the QML modules whose types its C++ types hand out.
function(orbitdeck_qml_module target)
  cmake_parse_arguments(ARG "" "URI;PLUGIN_TARGET" "DEPENDENCIES" ${ARGN})
  file(GLOB qml_paths CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qml/*.qml)
  set(qml_files)
  set(names)
  foreach(path IN LISTS qml_paths)
    get_filename_component(name ${path} NAME)
    set_source_files_properties(qml/${name} PROPERTIES QT_RESOURCE_ALIAS ${name})
    list(APPEND qml_files qml/${name})
    list(APPEND names ${name})
  endforeach()
  if(NOT ARG_PLUGIN_TARGET)
    set(ARG_PLUGIN_TARGET ${target}plugin)
  endif()
  string(REPLACE "." "/" uri_path ${ARG_URI})
  orbitdeck_drop_stale_qml(${PROJECT_BINARY_DIR}/qml/${uri_path} ${names})
  qt_add_qml_module(${target}
    URI ${ARG_URI}
    VERSION 1.0
    RESOURCE_PREFIX /qt/qml
    OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/qml/${uri_path}
    PLUGIN_TARGET ${ARG_PLUGIN_TARGET}
    DEPENDENCIES ${ARG_DEPENDENCIES}
    QML_FILES ${qml_files}
  )
endfunction()
