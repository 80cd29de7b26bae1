# Run by cpack on the staged files before they are packed (CPACK_PRE_BUILD_SCRIPTS): finishes
# them as Debian's own tools do, and fixes the package's timestamps, so that two builds of one
# commit give the same bytes.

# Timestamps: SOURCE_DATE_EPOCH when the caller sets it, as Debian's tools do; otherwise the
# time of the last commit, when the sources are a git checkout. cpack reads it from here on.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    find_program(GIT_PROGRAM git)
    if(GIT_PROGRAM)
        execute_process(COMMAND ${GIT_PROGRAM} -C ${CPACK_ORVENA_SOURCE_DIR} log -1 --format=%ct
            OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE git_status ERROR_QUIET)
        if(git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
            set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
        endif()
    endif()
endif()

set(usr ${CPACK_TEMPORARY_DIRECTORY}/usr)

# As dh_strip: no symbols, no debug information, and no .comment or .note sections, which only
# name the compiler.
execute_process(
    COMMAND ${CPACK_ORVENA_STRIP} --remove-section=.comment --remove-section=.note ${usr}/bin/orvena
    COMMAND_ERROR_IS_FATAL ANY)

# As dh_compress: the manual page and the changelog gzipped, without the name and time that
# gzip would otherwise write into them.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(file share/man/man6/orvena.6 share/doc/orvena/changelog)
    execute_process(COMMAND ${GZIP_PROGRAM} -9n ${usr}/${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
