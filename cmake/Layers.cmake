# SPDX-License-Identifier: GPL-3.0-or-later
# The layers, lowest first. Each top folder is a layer; its libraries link
# only libraries of its own layer and of the layers below, and see only
# their headers: the build refuses a dependency that runs upwards.
#   core      the error type, the data files, the data folder, the settings
#   words     the amount in words (plain C++)
#   currency  money.txt and the currency record
#   layout    layouts, option lines, bank files, scans, the layout editor's model
#   output    the cheque, its texts and page, rendering, page outputs
#   register  the register of printed cheques and its history
#   batch     lists of cheques, statements, schedules
#   desk      what a person does (issue, run, list, reprint, approve, files), no widgets
#   gui       the windows, by feature, and their shared widgets
#   app       the program: its entry, command line, resources and translations
#   tools     the helper programs
set(CHEQUE_LAYERS core words currency layout output register batch desk gui app tools)

# Every library and program of the layers sees its layer's headers (by
# their path from the layer's folder: "register/chequeregister.h") through
# an include folder of its own layer alone, and passes it on to what links
# it. A library that includes a header of a layer above its own, or of one
# it does not link, does not compile.
function(cheque_layer_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        cheque_layer_targets(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(cheque_apply_layers)
    foreach(layer IN LISTS CHEQUE_LAYERS)
        if(NOT IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${layer})
            continue()
        endif()
        set(root ${CMAKE_BINARY_DIR}/layers/${layer})
        file(MAKE_DIRECTORY ${root})
        if(NOT EXISTS ${root}/${layer})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${layer} ${root}/${layer} SYMBOLIC)
        endif()
        if(NOT TARGET ${layer}_headers)
            add_library(${layer}_headers INTERFACE)
            target_include_directories(${layer}_headers INTERFACE ${root})
        endif()
        get_property(done DIRECTORY ${PROJECT_SOURCE_DIR}/${layer} PROPERTY SUBDIRECTORIES SET)
        cheque_layer_targets(${PROJECT_SOURCE_DIR}/${layer} targets)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "UTILITY" OR type STREQUAL "INTERFACE_LIBRARY")
                continue()
            endif()
            set_property(TARGET ${target} PROPERTY CHEQUE_LAYER ${layer})
            target_link_libraries(${target} PUBLIC ${layer}_headers)
            list(APPEND all ${target})
        endforeach()
    endforeach()
    # The links, checked against the layers.
    set(faults "")
    foreach(target IN LISTS all)
        get_target_property(layer ${target} CHEQUE_LAYER)
        list(FIND CHEQUE_LAYERS ${layer} rank)
        get_target_property(links ${target} LINK_LIBRARIES)
        if(NOT links)
            continue()
        endif()
        foreach(link IN LISTS links)
            if(NOT TARGET ${link})
                continue()
            endif()
            get_target_property(other ${link} CHEQUE_LAYER)
            if(NOT other)
                continue()
            endif()
            list(FIND CHEQUE_LAYERS ${other} otherRank)
            if(otherRank GREATER rank)
                string(APPEND faults "\n  ${target} (${layer}) links ${link} (${other})")
            endif()
        endforeach()
    endforeach()
    if(faults)
        message(FATAL_ERROR "A library links a layer above its own (see CONTRIBUTING.md):${faults}")
    endif()
endfunction()
