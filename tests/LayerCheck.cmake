# Fails when an engine file includes across a layer it must not reach:
# - the base (log, singleton, strong assertion, user files) includes nothing but itself, so
#   everything else can use it;
# - data/ and messaging/ include only each other and the base;
# - a public header (include/) includes only public headers, so code outside the engine builds
#   seeing include/ alone.
# Usage: cmake -DENGINE_DIR=<QelEngine folder> -P LayerCheck.cmake
set(BASE_FILES QelCore/FileHelper QelCore/LogManager QelCore/Singleton QelCore/StrongAssert)

set(failures "")

# Project includes of one file, as "Subsystem/Name.h" paths.
function(project_includes file out)
    file(STRINGS ${file} lines REGEX "^#include \"")
    list(TRANSFORM lines REPLACE "^#include \"([^\"]+)\".*$" "\\1")
    set(${out} ${lines} PARENT_SCOPE)
endfunction()

# Adds one failure line per include of `file` that no regex of `allowed` matches.
function(check_includes file allowed)
    project_includes(${file} includes)
    foreach(include ${includes})
        set(ok FALSE)
        foreach(pattern ${allowed})
            if(include MATCHES "${pattern}")
                set(ok TRUE)
            endif()
        endforeach()
        if(NOT ok)
            file(RELATIVE_PATH name ${ENGINE_DIR} ${file})
            list(APPEND failures "${name} includes ${include}")
        endif()
    endforeach()
    set(failures ${failures} PARENT_SCOPE)
endfunction()

set(base_patterns "")
set(base_files "")
foreach(stem ${BASE_FILES})
    list(APPEND base_patterns "^${stem}\\.h$")
    file(GLOB found ${ENGINE_DIR}/include/${stem}.* ${ENGINE_DIR}/src/${stem}.*)
    list(APPEND base_files ${found})
endforeach()

foreach(file ${base_files})
    check_includes(${file} "${base_patterns}")
endforeach()

file(GLOB_RECURSE lower_files ${ENGINE_DIR}/include/data/* ${ENGINE_DIR}/src/data/*
     ${ENGINE_DIR}/include/messaging/* ${ENGINE_DIR}/src/messaging/*)
foreach(file ${lower_files})
    check_includes(${file} "^data/;^messaging/;${base_patterns}")
endforeach()

file(GLOB_RECURSE public_headers RELATIVE ${ENGINE_DIR}/include ${ENGINE_DIR}/include/*.h)
set(public_patterns "")
foreach(header ${public_headers})
    string(REGEX REPLACE "([.+])" "\\\\\\1" escaped ${header})
    list(APPEND public_patterns "^${escaped}$")
endforeach()
foreach(header ${public_headers})
    check_includes(${ENGINE_DIR}/include/${header} "${public_patterns}")
endforeach()

if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "Includes across a layer:\n${text}")
endif()
list(LENGTH base_files base_count)
list(LENGTH lower_files lower_count)
list(LENGTH public_headers public_count)
message(STATUS "Layers hold: ${base_count} base, ${lower_count} data/messaging, ${public_count} public files")
