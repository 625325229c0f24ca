# The input methods jlex writes for: src/targets/targets.txt lists their
# folders, and each folder's target.cmake declares what it holds with the
# commands below. The programs, the tables' formats, the package and the
# tests' lists are all made from what they collect here.
#
#   jlex_target(NAME ime PROGRAM jlex-x MAKE factory SERVES "what, in English"
#               SERVES_ZH "what, in Chinese" [SUGGESTS "debian-package | other"])
#       an input method: --ime NAME, its window program, and the C++
#       function jlex::targets::factory() that returns its registration
#   jlex_target_sources(files...)     compiled into the program's libraries
#   jlex_target_pictures(files...)    resources, as ":/jlex/<file name>"
#   jlex_table_format(files...)       the build's side of a format of its own
#                                     (src/tables/TableFormats.h)
#   jlex_shipped_tables(file)         the records of that format's tables

set(JLEX_TARGETS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(JLEX_TARGET_NAMES "")
set(JLEX_WINDOW_PROGRAMS "")
set(JLEX_TARGET_FACTORIES "")
set(JLEX_TARGET_SERVES "")
set(JLEX_TARGET_SERVES_ZH "")
set(JLEX_TARGET_SUGGESTS "")
set(JLEX_TARGET_SOURCES "")
set(JLEX_TARGET_PICTURES "")
set(JLEX_TABLE_FORMAT_SOURCES "")
set(JLEX_SHIPPED_TABLES ${PROJECT_SOURCE_DIR}/src/tables/shipped.txt)

macro(jlex_target)
    cmake_parse_arguments(JT "" "NAME;PROGRAM;MAKE;SERVES;SERVES_ZH;SUGGESTS" "" ${ARGN})
    if(NOT JT_NAME OR NOT JT_PROGRAM OR NOT JT_MAKE OR NOT JT_SERVES OR NOT JT_SERVES_ZH)
        message(FATAL_ERROR
                "${CMAKE_CURRENT_LIST_FILE}: jlex_target needs NAME, PROGRAM, MAKE, SERVES and SERVES_ZH")
    endif()
    list(APPEND JLEX_TARGET_NAMES ${JT_NAME})
    list(APPEND JLEX_WINDOW_PROGRAMS ${JT_PROGRAM})
    list(APPEND JLEX_TARGET_FACTORIES ${JT_MAKE})
    list(APPEND JLEX_TARGET_SERVES "${JT_PROGRAM} serves ${JT_SERVES}")
    list(APPEND JLEX_TARGET_SERVES_ZH "${JT_PROGRAM} 用于 ${JT_SERVES_ZH}")
    if(JT_SUGGESTS)
        list(APPEND JLEX_TARGET_SUGGESTS "${JT_SUGGESTS}")
    endif()
endmacro()

macro(jlex_target_sources)
    foreach(file ${ARGN})
        list(APPEND JLEX_TARGET_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${file})
    endforeach()
endmacro()

macro(jlex_target_pictures)
    foreach(file ${ARGN})
        list(APPEND JLEX_TARGET_PICTURES ${CMAKE_CURRENT_LIST_DIR}/${file})
    endforeach()
endmacro()

macro(jlex_table_format)
    foreach(file ${ARGN})
        list(APPEND JLEX_TABLE_FORMAT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${file})
    endforeach()
endmacro()

macro(jlex_shipped_tables file)
    list(APPEND JLEX_SHIPPED_TABLES ${CMAKE_CURRENT_LIST_DIR}/${file})
endmacro()

file(STRINGS ${JLEX_TARGETS_DIR}/targets.txt JLEX_TARGET_FOLDERS REGEX "^[a-z0-9]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${JLEX_TARGETS_DIR}/targets.txt)
foreach(folder IN LISTS JLEX_TARGET_FOLDERS)
    if(NOT EXISTS ${JLEX_TARGETS_DIR}/${folder}/target.cmake)
        message(FATAL_ERROR "src/targets/targets.txt names ${folder}, which has no target.cmake")
    endif()
    include(${JLEX_TARGETS_DIR}/${folder}/target.cmake)
endforeach()
