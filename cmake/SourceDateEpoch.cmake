# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Read by cpack when it packages: sets SOURCE_DATE_EPOCH, which cpack uses for every time stamp in
# the archives, to the time of the last commit of the source tree (or, outside a Git checkout, of
# the last entry of data/changelog), unless the environment already sets it. Two packages of the
# same commit then carry the same times whenever and wherever they are built.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(quorvin_source "${CMAKE_CURRENT_LIST_DIR}/..")
  execute_process(COMMAND git -C "${quorvin_source}" log -1 --format=%ct
                  OUTPUT_VARIABLE quorvin_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE quorvin_status ERROR_QUIET)
  if(NOT quorvin_status EQUAL 0 OR NOT quorvin_epoch MATCHES "^[0-9]+$")
    execute_process(COMMAND dpkg-parsechangelog -l "${quorvin_source}/data/changelog" -STimestamp
                    OUTPUT_VARIABLE quorvin_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE quorvin_status ERROR_QUIET)
  endif()
  if(quorvin_status EQUAL 0 AND quorvin_epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} "${quorvin_epoch}")
  endif()
endif()
