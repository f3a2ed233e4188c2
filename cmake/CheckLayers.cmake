# SPDX-License-Identifier: GPL-3.0-or-later
# Fails the build when a unit includes a header of a layer above its own.
# The GUI-free layers, lowest first: core, words, currency, layout, output,
# register, batch; a unit may include its own layer's headers and those of
# the layers below. ui/ (the adapters windows reach dialogs, printing and
# the web view through) may use the layers up to output. Windows (listed
# below) and the programs of app/ and tools/ may use everything.
#   cmake -DSOURCE_DIR=... -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
set(layers core words currency layout output register batch)
set(windows
    layout/chequeU layout/chequefield currency/monyU output/PrintChequeU output/printeroffsetsdialog
    register/registerwindow
    register/registermodel register/registeraccess register/duewindow batch/batchwindow batch/scheduledialog)

set(faults "")
foreach(folder IN LISTS layers ITEMS ui)
    if(folder STREQUAL "ui")
        set(allowed core words currency layout output ui)
    else()
        list(FIND layers ${folder} rank)
        list(SUBLIST layers 0 ${rank} allowed)
        list(APPEND allowed ${folder})
    endif()
    file(GLOB units RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(unit IN LISTS units)
        string(REGEX REPLACE "\\.(h|cpp)$" "" base ${unit})
        if(base IN_LIST windows)
            continue()
        endif()
        file(STRINGS ${SOURCE_DIR}/${unit} includes REGEX "^#include \"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z]+)/([^\".]+)\\.h\".*" "\\1" layer "${line}")
            string(REGEX REPLACE "^#include \"([a-z]+/[^\".]+)\\.h\".*" "\\1" header "${line}")
            if(NOT layer IN_LIST allowed OR header IN_LIST windows)
                string(APPEND faults "\n  ${unit}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "A unit includes a header of a layer above its own (see CONTRIBUTING.md):${faults}")
endif()
