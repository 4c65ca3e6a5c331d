# The 33 interface themes as the build knows them: their two-digit numbers and
# where the engine's build puts each compiled container. The engine makes the
# containers; the program and the tests embed them.

# theme_numbers(<out>): 01;02;...;33
function(theme_numbers out)
    set(numbers "")
    foreach(n RANGE 1 33)
        if(n LESS 10)
            set(n "0${n}")
        endif()
        list(APPEND numbers "${n}")
    endforeach()
    set(${out} "${numbers}" PARENT_SCOPE)
endfunction()

# theme_container(<number> <out>): the compiled container of theme <number>.
function(theme_container number out)
    set(${out} "${PROJECT_BINARY_DIR}/engine/themes/${number}.she" PARENT_SCOPE)
endfunction()

# theme_byte_set_pairs(<prefix> <out>): <prefix>01;<container 01>;... for
# embed_byte_sets.
function(theme_byte_set_pairs prefix out)
    theme_numbers(numbers)
    set(pairs "")
    foreach(n IN LISTS numbers)
        theme_container(${n} container)
        list(APPEND pairs "${prefix}${n}" "${container}")
    endforeach()
    set(${out} "${pairs}" PARENT_SCOPE)
endfunction()
