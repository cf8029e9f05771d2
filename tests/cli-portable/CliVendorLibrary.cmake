# Send and read of the command-line program through the vendor backend, against the
# stand-in D2XX library whose device is the virtual unit, put beside the program as a user
# puts FTD2XX.dll (on Linux: found as libftd2xx.so through LD_LIBRARY_PATH).
#   cmake -DCLI=<exe> [-DEMULATOR=<a|b|c>] -DUNIT_LIBRARY=<library> -DUNIT_NAME=<file name>
#         -DDATA=<folder> -DWORK=<folder> -P CliVendorLibrary.cmake

string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/alone" "${WORK}/unit")
get_filename_component(exe "${CLI}" NAME)
foreach(folder alone unit)
    file(COPY "${CLI}" "${DATA}/a.kvx" DESTINATION "${WORK}/${folder}")
endforeach()
file(COPY_FILE "${UNIT_LIBRARY}" "${WORK}/unit/${UNIT_NAME}")
set(ENV{FAKE_FTD2XX_MEMORY} "${WORK}/unit/memory.bin")

function(run_cli folder exit)
    execute_process(COMMAND ${emulator} "${WORK}/${folder}/${exe}" ${ARGN}
                    WORKING_DIRECTORY "${WORK}/${folder}"
                    OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr RESULT_VARIABLE code)
    if(NOT code STREQUAL "${exit}")
        message(SEND_ERROR "${ARGN}: exit ${code}, wanted ${exit}\n${stdout}${stderr}")
    endif()
    set(out "${stdout}" PARENT_SCOPE)
endfunction()

function(expect_json_member json member wanted)
    string(JSON got ERROR_VARIABLE error GET "${json}" ${member})
    if(error OR NOT got STREQUAL "${wanted}")
        message(SEND_ERROR "${member} is '${got}' (${error}), wanted '${wanted}' in ${json}")
    endif()
endfunction()

# Without the library no bridge is found.
run_cli(alone 3 --json read -o back.kvx)
expect_json_member("${out}" message "Nepripojené zariadenie !")

set(ENV{LD_LIBRARY_PATH} "${WORK}/unit")

# The library's device list finds the unit, so a bridge can be chosen by its serial number.
run_cli(unit 0 --json list)
expect_json_member("${out}" "bridges;0;serial" QX70VIRT)
expect_json_member("${out}" "bridges;0;via" D2XX)

# Send keeps a backup of what the unit held, writes and reads back; read gives the file back,
# also under a name with Slovak letters.
run_cli(unit 0 --json --serial QX70VIRT send a.kvx --backup-dir backups)
expect_json_member("${out}" result ok)
expect_json_member("${out}" "unit;serial" QX70VIRT)
file(GLOB backups "${WORK}/unit/backups/QX70VIRT-*")
list(LENGTH backups count)
if(NOT count EQUAL 2)
    message(SEND_ERROR "wanted a .kvx and a .bin backup, found: ${backups}")
endif()
run_cli(unit 0 --json read -o "zákazník č.kvx")
expect_json_member("${out}" result ok)
if(NOT EXISTS "${WORK}/unit/zákazník č.kvx")
    message(SEND_ERROR "read did not write 'zákazník č.kvx'")
endif()
run_cli(unit 0 diff a.kvx "zákazník č.kvx")
