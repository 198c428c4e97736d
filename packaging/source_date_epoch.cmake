# Read by cpack before it packs. CPack gives every file in the package the time
# SOURCE_DATE_EPOCH holds, so the same commit gives the same package: the time
# of the source's last commit, or without git the newest changelog entry's. A
# time the environment already gives (a distribution's build) is kept.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${CPACK_VEYORA_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    execute_process(COMMAND dpkg-parsechangelog -l ${CPACK_VEYORA_SOURCE_DIR}/packaging/changelog
                            -S Timestamp
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "cannot tell the source's time: no git history, no changelog date")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
