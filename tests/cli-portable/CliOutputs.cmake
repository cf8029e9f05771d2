# Runs the command-line program of one build on the same input files and compares what it
# prints and writes with the stored outputs, which every build (Linux, and Windows under
# Wine) must give byte for byte, apart from line ends on the console.
#   cmake -DCLI=<exe> [-DEMULATOR=<a|b|c>] -DDATA=<folder> -DEXPECTED=<folder> -DWORK=<folder>
#         [-DMODE=store] -P CliOutputs.cmake
# MODE=store writes the outputs instead of comparing them (after a deliberate change).

string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${DATA}/" DESTINATION "${WORK}")
set(failures 0)

# Runs the program in WORK; its console output (stdout, then stderr after a marker) and exit
# code go to the variables out and code.
function(run_cli)
    execute_process(COMMAND ${emulator} "${CLI}" ${ARGN}
                    WORKING_DIRECTORY "${WORK}"
                    OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr RESULT_VARIABLE result)
    set(text "${stdout}")
    if(NOT stderr STREQUAL "")
        string(APPEND text "[stderr]\n${stderr}")
    endif()
    string(REPLACE "\r\n" "\n" text "${text}")
    set(out "${text}" PARENT_SCOPE)
    set(code "${result}" PARENT_SCOPE)
endfunction()

function(fail message)
    message(SEND_ERROR "${message}")
endfunction()

# One command: its exit code and its console output against expected/<name>.txt.
function(expect_output name exit)
    run_cli(${ARGN})
    if(NOT code STREQUAL "${exit}")
        fail("${name}: exit ${code}, wanted ${exit}\n${out}")
    endif()
    if(MODE STREQUAL "store")
        file(WRITE "${EXPECTED}/${name}.txt" "${out}")
        return()
    endif()
    file(READ "${EXPECTED}/${name}.txt" wanted)
    if(NOT out STREQUAL wanted)
        fail("${name}: output differs\n--- got\n${out}--- wanted\n${wanted}")
    endif()
endfunction()

# A file the program wrote, byte for byte.
function(expect_file name)
    if(MODE STREQUAL "store")
        file(COPY_FILE "${WORK}/${name}" "${EXPECTED}/${name}")
        return()
    endif()
    file(SHA256 "${WORK}/${name}" got)
    file(SHA256 "${EXPECTED}/${name}" wanted)
    if(NOT got STREQUAL wanted)
        fail("${name}: written bytes differ from ${EXPECTED}/${name}")
    endif()
endfunction()

expect_output(image-a 0 image a.kvx -o a.bin)
expect_file(a.bin)
expect_output(show-a 0 show a.kvx)
expect_output(show-a-bin 0 show a.bin)
expect_output(diff-a-b 1 diff a.kvx b.kvx)
expect_output(diff-a-b-json 1 --json diff a.kvx b.kvx)
expect_output(diff-a-image 0 diff a.kvx a.bin)
expect_output(check-a 0 check a.kvx)
expect_output(check-bad 1 check bad.kvx)
expect_output(image-bad 1 image bad.kvx -o bad.bin)
expect_output(show-missing 2 show missing.kvx)
