# Run at every build (cmake -P): writes the source of VersionText() with the
# project version and, when the sources are a Git checkout of their own, the
# commit. The file is only rewritten when that text changes, so an unchanged
# checkout rebuilds nothing.
#   -DSOURCE_DIR=... -DVERSION=... -DTEMPLATE=... -DOUTPUT=...
set(LUMAGROVE_VERSION_TEXT "${VERSION}")

find_program(GIT git)
if(GIT)
  execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --show-toplevel
                  OUTPUT_VARIABLE top RESULT_VARIABLE failed
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # Sources unpacked inside some other repository must not take its commit.
  if(NOT failed)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE_DIR}" source)
  endif()
  if(NOT failed AND top STREQUAL source)
    execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
                    OUTPUT_VARIABLE commit RESULT_VARIABLE failed
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed)
      # --no-optional-locks: a build must never hold the index lock of a
      # checkout someone is committing in.
      execute_process(COMMAND "${GIT}" --no-optional-locks -C "${SOURCE_DIR}" status --porcelain --untracked-files=no
                      OUTPUT_VARIABLE changes ERROR_QUIET)
      if(changes STREQUAL "")
        set(LUMAGROVE_VERSION_TEXT "${VERSION} (git ${commit})")
      else()
        set(LUMAGROVE_VERSION_TEXT "${VERSION} (git ${commit}, modified)")
      endif()
    endif()
  endif()
endif()

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
