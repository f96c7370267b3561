# Helpers of the packaging tests (cmake -P scripts).

# Collects a failure; kx_finish() ends the script with all of them.
function(kx_fail message)
  set_property(GLOBAL APPEND_STRING PROPERTY KX_FAILURES "\n  ${message}")
endfunction()

function(kx_finish)
  get_property(failures GLOBAL PROPERTY KX_FAILURES)
  if(failures)
    message(FATAL_ERROR "${failures}")
  endif()
endfunction()

# kx_require_program(VAR name package): the path of a tool of a Debian package.
function(kx_require_program var name package)
  find_program(${var} ${name})
  if(NOT ${var})
    message(FATAL_ERROR "${name} is missing (Debian package ${package}; scripts/install-deps.sh installs it)")
  endif()
  set(${var} ${${var}} PARENT_SCOPE)
endfunction()

# kx_run(OUT ERR RC COMMAND...): runs a command, keeps its output, error output
# and exit code.
function(kx_run out err rc)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
  set(${out} "${output}" PARENT_SCOPE)
  set(${err} "${error}" PARENT_SCOPE)
  set(${rc} "${result}" PARENT_SCOPE)
endfunction()

# The environment of a desktop-neutral session that sees only the XDG folders
# below BASE: BASE/data (data dirs), BASE/home (user data), BASE/config.
function(kx_xdg_env var base)
  set(${var} ${CMAKE_COMMAND} -E env
      --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=DE --unset=DESKTOP_SESSION --unset=KDE_FULL_SESSION
      --unset=GNOME_DESKTOP_SESSION_ID --unset=MATE_DESKTOP_SESSION_ID --unset=LXQT_SESSION_CONFIG
      --unset=XDG_MENU_PREFIX
      XDG_CURRENT_DESKTOP=X-Generic XDG_DATA_DIRS=${base}/data XDG_DATA_HOME=${base}/home
      XDG_CONFIG_HOME=${base}/config XDG_CONFIG_DIRS=${base}/config-dirs PKGSYSTEM_ENABLE_FSYNC=0
      PARENT_SCOPE)
endfunction()

# kx_desktop_value(TEXT KEY OUT): the value of KEY in the group [Desktop Entry]
# of a desktop entry's text, or "<missing>".
function(kx_desktop_value text key out)
  string(FIND "${text}" "[Desktop Entry]\n" start)
  set(value "<missing>")
  if(start GREATER_EQUAL 0)
    string(SUBSTRING "${text}" ${start} -1 group)
    string(REGEX REPLACE "^\\[Desktop Entry\\]\n" "" group "${group}")
    string(REGEX REPLACE "\n\\[.*$" "" group "\n${group}\n")
    string(REPLACE "[" "\\[" key_pattern "${key}")
    string(REPLACE "]" "\\]" key_pattern "${key_pattern}")
    string(REPLACE "." "\\." key_pattern "${key_pattern}")
    if("${group}\n" MATCHES "\n${key_pattern}=([^\n]*)\n")
      set(value "${CMAKE_MATCH_1}")
    endif()
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
