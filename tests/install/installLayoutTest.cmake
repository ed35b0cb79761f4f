# Installs the build into a scratch root (DESTDIR), checks what landed where,
# then uninstalls it with scripts/uninstall.
#
# -DBUILD=<build folder> -DSOURCE=<source folder> -DWORK=<scratch folder>
# -DPREFIX=<configured prefix> -DPROGRAM_DIR=<relative> -DDESKTOP=<bool>
# -DICON_SIZES=<a;b;c>
cmake_minimum_required(VERSION 3.25)

set(failures "")
function(fail message)
    set(failures "${failures}${message}\n" PARENT_SCOPE)
endfunction()

# PNG: width and height from the IHDR chunk.
function(png_size path out)
    file(READ "${path}" head LIMIT 24 HEX)
    string(SUBSTRING "${head}" 0 16 signature)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        set(${out} "not a PNG" PARENT_SCOPE)
        return()
    endif()
    string(SUBSTRING "${head}" 32 8 w)
    string(SUBSTRING "${head}" 40 8 h)
    math(EXPR w "0x${w}")
    math(EXPR h "0x${h}")
    set(${out} "${w}x${h}" PARENT_SCOPE)
endfunction()

# Every file below root, as installed paths (root taken off).
function(files_below root out)
    file(GLOB_RECURSE found LIST_DIRECTORIES false "${root}/*")
    set(paths "")
    foreach(f IN LISTS found)
        string(LENGTH "${root}" n)
        string(SUBSTRING "${f}" ${n} -1 rel)
        list(APPEND paths "${rel}")
    endforeach()
    list(SORT paths)
    set(${out} "${paths}" PARENT_SCOPE)
endfunction()

function(read_manifest out)
    file(STRINGS "${BUILD}/install_manifest.txt" entries)
    set(paths "")
    foreach(e IN LISTS entries)
        cmake_path(NORMAL_PATH e)
        list(APPEND paths "${e}")
    endforeach()
    list(SORT paths)
    set(${out} "${paths}" PARENT_SCOPE)
endfunction()

# The test must not disturb a real install's manifest in this build folder.
set(manifest "${BUILD}/install_manifest.txt")
if(EXISTS "${manifest}")
    file(COPY_FILE "${manifest}" "${WORK}/saved_manifest.txt")
endif()

file(REMOVE_RECURSE "${WORK}/root")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${WORK}/root" ${CMAKE_COMMAND} --install "${BUILD}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    fail("cmake --install failed:\n${log}")
endif()

set(root "${WORK}/root")
set(folder "${root}${PREFIX}/${PROGRAM_DIR}")
cmake_path(NORMAL_PATH folder)
string(REGEX REPLACE "(.)/$" "\\1" folder "${folder}")

# The self-contained folder.
if(NOT EXISTS "${folder}/quillbox" OR IS_SYMLINK "${folder}/quillbox")
    fail("no program in ${folder}")
endif()
execute_process(COMMAND test -x "${folder}/quillbox" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    fail("the program is not executable")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${folder}/Quillbox Rules.rtf"
                        "${SOURCE}/data/Quillbox Rules.rtf" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    fail("\"Quillbox Rules.rtf\" is not beside the program in ${folder}")
endif()
if(EXISTS "${folder}/quillbox.png")
    png_size("${folder}/quillbox.png" iconSize)
    if(NOT iconSize STREQUAL "256x256")
        fail("the folder's icon is ${iconSize}")
    endif()
else()
    fail("no quillbox.png beside the program")
endif()

set(expected "${PREFIX}/${PROGRAM_DIR}/quillbox" "${PREFIX}/${PROGRAM_DIR}/quillbox.png"
             "${PREFIX}/${PROGRAM_DIR}/Quillbox Rules.rtf")
if(DESKTOP)
    # Started from a shell through bin/quillbox.
    set(link "${root}${PREFIX}/bin/quillbox")
    file(REAL_PATH "${link}" linked)
    file(REAL_PATH "${folder}/quillbox" program)
    if(NOT IS_SYMLINK "${link}" OR NOT linked STREQUAL program)
        fail("bin/quillbox does not link to the program")
    endif()

    # The menu entry starts the program in its folder and shows our icon.
    set(entry "${root}${PREFIX}/share/applications/quillbox.desktop")
    if(EXISTS "${entry}")
        file(READ "${entry}" content)
        set(program "${PREFIX}/${PROGRAM_DIR}/quillbox")
        cmake_path(NORMAL_PATH program)
        foreach(line "Exec=\"${program}\"" "Icon=quillbox" "Categories=Game;Education;"
                     "Type=Application")
            string(FIND "${content}" "\n${line}\n" at)
            if(at EQUAL -1)
                fail("the menu entry lacks the line ${line}:\n${content}")
            endif()
        endforeach()
    else()
        fail("no menu entry in share/applications")
    endif()

    foreach(size IN LISTS ICON_SIZES)
        set(icon "${root}${PREFIX}/share/icons/hicolor/${size}x${size}/apps/quillbox.png")
        if(EXISTS "${icon}")
            png_size("${icon}" actual)
            if(NOT actual STREQUAL "${size}x${size}")
                fail("the ${size}x${size} icon is ${actual}")
            endif()
        else()
            fail("no ${size}x${size} icon in hicolor")
        endif()
        list(APPEND expected "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/quillbox.png")
    endforeach()
    list(APPEND expected "${PREFIX}/bin/quillbox" "${PREFIX}/share/applications/quillbox.desktop")
endif()

# Exactly these files, all of them in the manifest that uninstalling reads.
set(normalized "")
foreach(p IN LISTS expected)
    cmake_path(NORMAL_PATH p)
    list(APPEND normalized "${p}")
endforeach()
list(SORT normalized)
files_below("${root}" installed)
if(NOT installed STREQUAL normalized)
    fail("installed files:\n  ${installed}\nexpected:\n  ${normalized}")
endif()
read_manifest(listed)
if(NOT listed STREQUAL normalized)
    fail("the manifest lists:\n  ${listed}\nexpected:\n  ${normalized}")
endif()

# Uninstalling keeps the player's high scores and nothing else...
file(WRITE "${folder}/High Scores.rnd" "scores")
file(WRITE "${folder}/High Scores.rnd.lock" "")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${root}" bash "${SOURCE}/scripts/uninstall" "${BUILD}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    fail("scripts/uninstall failed:\n${log}")
endif()
files_below("${root}" left)
string(LENGTH "${root}" n)
string(SUBSTRING "${folder}" ${n} -1 keptFolder)
set(kept "${keptFolder}/High Scores.rnd" "${keptFolder}/High Scores.rnd.lock")
if(NOT left STREQUAL kept)
    fail("after uninstalling:\n  ${left}\nexpected only:\n  ${kept}")
endif()

# ...unless asked to purge them, which also takes their folder away.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${root}" bash "${SOURCE}/scripts/uninstall" --purge
            "${BUILD}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    fail("scripts/uninstall --purge failed:\n${log}")
endif()
files_below("${root}" left)
if(NOT left STREQUAL "")
    fail("left after --purge: ${left}")
endif()
if(NOT PROGRAM_DIR STREQUAL "." AND EXISTS "${folder}")
    fail("the program's folder outlived --purge")
endif()

if(DESKTOP)
    # Another prefix given when installing: the entry follows it, quoted so
    # that a blank or a dollar in the path survives the desktop's parsing.
    set(odd "${WORK}/odd $place")
    file(REMOVE_RECURSE "${odd}")
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${odd}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(NOT rc EQUAL 0)
        fail("cmake --install --prefix failed:\n${log}")
    endif()
    file(READ "${odd}/share/applications/quillbox.desktop" content)
    string(REPLACE "$" "\\\\$" escaped "${odd}")
    set(line "Exec=\"${escaped}/${PROGRAM_DIR}/quillbox\"")
    string(FIND "${content}" "\n${line}\n" at)
    if(at EQUAL -1)
        fail("the entry for another prefix lacks ${line}:\n${content}")
    endif()
    file(REAL_PATH "${odd}/bin/quillbox" linked)
    if(NOT EXISTS "${linked}" OR IS_DIRECTORY "${linked}")
        fail("bin/quillbox under another prefix leads nowhere")
    endif()
    file(REMOVE_RECURSE "${odd}")
endif()

if(EXISTS "${WORK}/saved_manifest.txt")
    file(COPY_FILE "${WORK}/saved_manifest.txt" "${manifest}")
else()
    file(REMOVE "${manifest}")
endif()

if(NOT failures STREQUAL "")
    message(FATAL_ERROR "${failures}")
endif()
