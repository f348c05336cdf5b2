# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Run by cpack after it has built the packages (CPACK_POST_BUILD_SCRIPTS). CPack (3.25) writes the
# dbgsym package's md5sums with the absolute paths of its staging folder, which are wrong for dpkg
# and differ from one build folder to the next. The package is unpacked, its md5sums written again
# with the installed paths, and packed again by dpkg-deb, every time stamp the SOURCE_DATE_EPOCH
# that cmake/SourceDateEpoch.cmake has set.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.ddeb$")
    continue()
  endif()
  get_filename_component(folder "${package}" DIRECTORY)
  set(root "${folder}/dbgsym-root")
  file(REMOVE_RECURSE "${root}")
  execute_process(COMMAND dpkg-deb -R "${package}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE files RELATIVE "${root}" "${root}/usr/*")
  list(SORT files)
  set(md5sums "")
  foreach(path IN LISTS files)
    file(MD5 "${root}/${path}" sum)
    string(APPEND md5sums "${sum}  ${path}\n")
  endforeach()
  file(WRITE "${root}/DEBIAN/md5sums" "${md5sums}")
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND find "${root}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${root}" "${package}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${root}")
endforeach()
