# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The project's one set of build flags, carried by INTERFACE targets that every library,
# program, test and benchmark links PRIVATE: flags meant for this project's own sources,
# not for whoever links its libraries.
add_library(velmora_build_flags INTERFACE)
# The sanitized copies of cmake/sanitized.cmake (property VELMORA_SANITIZED) warn but do not
# stop: the instrumentation leads GCC's flow analysis to bounds it cannot prove, in code the
# plain build of the same sources has already checked.
target_compile_options(velmora_build_flags INTERFACE -Wall -Wextra -Wcast-qual -Wold-style-cast -Wnon-virtual-dtor -Wshadow
  $<$<AND:$<BOOL:${VELMORA_WERROR}>,$<NOT:$<BOOL:$<TARGET_PROPERTY:VELMORA_SANITIZED>>>>:-Werror>)
# Qt's strictness, for the program, the card tool, the benchmark and the fuzzers. Text
# reaches a QString only through QStringLiteral, QLatin1String or a named decoding: a
# stray char* would be read as UTF-8 where the card file is Windows-1253. A connect()
# that narrows a signal's argument on its way to a slot is refused at compile time. The
# tests write their expected texts as plain literals, and the tests are checked against
# the strict sources, so they are left without it.
add_library(velmora_strict_qt INTERFACE)
target_compile_definitions(velmora_strict_qt INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
target_compile_definitions(velmora_build_flags INTERFACE QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER QT_NO_FOREACH)

# Links the flags into every library and program defined under `dir`, so that no target,
# however it was added, builds without them.
function(velmora_apply_build_flags dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_link_libraries(${target} PRIVATE velmora_build_flags)
      if(NOT dir MATCHES "/tests(/|$)")
        target_link_libraries(${target} PRIVATE velmora_strict_qt)
      endif()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    velmora_apply_build_flags(${subdir})
  endforeach()
endfunction()
