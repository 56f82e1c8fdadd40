# cmake -DVERSION=0.1.0 -DSOURCE_DIR=... -DOUTPUT=... -P write_version_info.cmake
# Writes OUTPUT from version_info.cpp.in with the version and the git commit
# of SOURCE_DIR. configure_file leaves OUTPUT untouched when nothing changed,
# so only a new commit (or a checkout turning clean or dirty) relinks.
set(commit "")
find_program(GIT_EXECUTABLE git)
if(GIT_EXECUTABLE AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(failed)
    set(commit "")
  else()
    # Changes to tracked files only: build folders and scratch files inside
    # the checkout do not count.
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" diff --quiet HEAD --
                    RESULT_VARIABLE dirty OUTPUT_QUIET ERROR_QUIET)
    if(dirty)
      string(APPEND commit "-dirty")
    endif()
  endif()
endif()
set(ORVELLE_VERSION "${VERSION}")
set(ORVELLE_COMMIT "${commit}")
if(commit)
  set(ORVELLE_VERSION_TEXT "${VERSION} (git ${commit})")
else()
  set(ORVELLE_VERSION_TEXT "${VERSION}")
endif()
configure_file("${CMAKE_CURRENT_LIST_DIR}/version_info.cpp.in" "${OUTPUT}" @ONLY)
