# Used when configuring and again when installing, since `cmake --install
# --prefix` may choose another prefix than the one configured.

# True when prefix is one whose share/applications a desktop's menu reads.
function(quillbox_is_desktop_prefix prefix result)
    cmake_path(NORMAL_PATH prefix OUTPUT_VARIABLE p)
    string(REGEX REPLACE "(.)/$" "\\1" p "${p}")
    set(standard /usr /usr/local)
    if(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
        set(home "$ENV{HOME}")
        cmake_path(NORMAL_PATH home)
        string(REGEX REPLACE "(.)/$" "\\1" home "${home}")
        list(APPEND standard "${home}/.local")
    endif()
    list(FIND standard "${p}" at)
    if(at GREATER -1)
        set(${result} TRUE PARENT_SCOPE)
    else()
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()
