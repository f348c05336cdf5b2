# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Hardening flags for optimised builds, from wherever this system offers them:
#
#  - dpkg-buildflags, where it is installed and answers, with every hardening feature asked for, as
#    Debian builds its own packages: _FORTIFY_SOURCE, the stack protector, format-string checks,
#    full RELRO and immediate binding (the compiler builds PIE by default there). Its -g and -O2 are
#    left out (the build type decides those), and so is the -ffile-prefix-map it derives from the
#    current folder (the build sets its own).
#  - otherwise the same features named to the compiler directly, each one only when a test compile
#    or link shows that this compiler and linker accept it, so that no distribution tool and no
#    particular compiler is needed to configure.
#
# Stack-clash protection, which later versions of dpkg-buildflags add, is asked for either way
# (when accepted). Control-flow protection is not: Debian 12's C start files carry no CET
# properties, so the linker cannot mark any program of it.
#
# quorvin_hardening() adds the flags to every target that follows; it prints one line saying where
# they came from and never fails.

include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

# Sets out_compile and out_link to the flags dpkg-buildflags gives, or leaves them untouched when the
# tool is missing or fails.
function(quorvin_dpkg_buildflags out_compile out_link)
  find_program(QUORVIN_DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT QUORVIN_DPKG_BUILDFLAGS)
    return()
  endif()
  set(compile_flags "")
  set(link_flags "")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${QUORVIN_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags ERROR_QUIET RESULT_VARIABLE status
      OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0)
      return()
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g|-O[0-9s]?|-ffile-prefix-map=.*)$")
    if(kind STREQUAL "LDFLAGS")
      list(APPEND link_flags ${flags})
    else()
      list(APPEND compile_flags ${flags})
    endif()
  endforeach()
  set(${out_compile} ${compile_flags} PARENT_SCOPE)
  set(${out_link} ${link_flags} PARENT_SCOPE)
endfunction()

function(quorvin_hardening)
  set(compile_flags "")
  set(link_flags "")
  set(source "dpkg-buildflags")
  quorvin_dpkg_buildflags(compile_flags link_flags)
  if(NOT compile_flags AND NOT link_flags)
    set(source "compiler")
    # _FORTIFY_SOURCE only acts with optimisation, which every build type but Debug has; it is
    # undefined first because some compilers define it themselves.
    foreach(flag -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat
                 -Werror=format-security)
      string(MAKE_C_IDENTIFIER "QUORVIN_CXX_ACCEPTS${flag}" accepted)
      # Each one together with those accepted before it (-Werror=format-security needs -Wformat).
      list(JOIN compile_flags " " CMAKE_REQUIRED_FLAGS)
      check_cxx_compiler_flag(${flag} ${accepted})
      if(${accepted})
        list(APPEND compile_flags ${flag})
      endif()
    endforeach()
    unset(CMAKE_REQUIRED_FLAGS)
    foreach(flag -Wl,-z,relro -Wl,-z,now)
      string(MAKE_C_IDENTIFIER "QUORVIN_LINKER_ACCEPTS${flag}" accepted)
      check_linker_flag(CXX ${flag} ${accepted})
      if(${accepted})
        list(APPEND link_flags ${flag})
      endif()
    endforeach()
    # Position-independent executables, where compiler and linker can make them.
    check_pie_supported(OUTPUT_VARIABLE pie_message LANGUAGES CXX)
    if(CMAKE_CXX_LINK_PIE_SUPPORTED)
      set(CMAKE_POSITION_INDEPENDENT_CODE ON PARENT_SCOPE)
    endif()
  endif()
  check_cxx_compiler_flag(-fstack-clash-protection QUORVIN_CXX_ACCEPTS_STACK_CLASH)
  if(QUORVIN_CXX_ACCEPTS_STACK_CLASH)
    list(APPEND compile_flags -fstack-clash-protection)
  endif()
  list(REMOVE_DUPLICATES compile_flags)
  add_compile_options(${compile_flags})
  add_link_options(${link_flags})
  list(JOIN compile_flags " " shown_compile)
  list(JOIN link_flags " " shown_link)
  if(source STREQUAL "dpkg-buildflags")
    message(STATUS "Hardening: flags from dpkg-buildflags: ${shown_compile} ${shown_link}")
  else()
    message(STATUS "Hardening: dpkg-buildflags not available, the flags this compiler accepts: "
                   "${shown_compile} ${shown_link}")
  endif()
endfunction()
