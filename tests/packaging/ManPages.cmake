# The manual pages: groff finds nothing to warn about, and they describe every
# command and option that the installed programs name in their help.
#   -DROOT=<DESTDIR> -DPREFIX=/usr -DSOURCE=<source folder> -DWORK=<scratch folder>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PackagingSupport.cmake)

kx_require_program(MAN man man-db)
kx_require_program(GZIP gzip gzip)
set(p ${ROOT}${PREFIX})
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# The manual page's roff text with "\-" as "-", and the rendering warnings.
function(read_page name out)
  set(page ${p}/share/man/man1/${name}.1.gz)
  # The check lintian makes.
  kx_run(rendered warnings rc ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
         ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${page})
  if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
    kx_fail("${name}.1: man --warnings: exit ${rc}\n${warnings}")
  endif()
  kx_run(roff err rc ${GZIP} -dc ${page})
  string(REPLACE "\\-" "-" roff "${roff}")
  string(REGEX REPLACE "\\\\f[BIRP]" "" roff "${roff}")
  set(${out} "${roff}" PARENT_SCOPE)
endfunction()

# The options named in a Qt help text (the option column of its lines).
function(help_options help out)
  set(options)
  string(REPLACE "\n" ";" lines "${help}")
  foreach(line IN LISTS lines)
    # "  -o, --output <AUSGABE>  Description": names up to the first two blanks.
    if(line MATCHES "^  (-[^ ].*)$")
      string(REGEX REPLACE "  .*$" "" column "${CMAKE_MATCH_1}")
      string(REGEX MATCHALL "(^|, )--?[A-Za-z][A-Za-z0-9-]*" names "${column}")
      string(REPLACE ", " "" names "${names}")
      list(APPEND options ${names})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES options)
  set(${out} ${options} PARENT_SCOPE)
endfunction()

function(expect_documented page roff what items)
  if(NOT items)
    kx_fail("${page}: no ${what} found in the program's help")
  endif()
  foreach(item IN LISTS items)
    string(REGEX REPLACE "([.+])" "\\\\\\1" pattern "${item}")
    if(NOT roff MATCHES "(^|[^A-Za-z0-9-])${pattern}([^A-Za-z0-9-]|$)")
      kx_fail("${page}: ${what} ${item} is not described")
    endif()
  endforeach()
endfunction()

# kurvex: the options of its --help.
read_page(kurvex kurvex_roff)
kx_run(help err rc ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen TMPDIR=${WORK} ${p}/bin/kurvex --help)
if(NOT rc EQUAL 0)
  kx_fail("kurvex --help: exit ${rc} ${err}")
endif()
help_options("${help}" options)
expect_documented(kurvex.1 "${kurvex_roff}" option "${options}")

# kurvex-cli: its commands, and the options of each command's --help.
read_page(kurvex-cli cli_roff)
kx_run(usage err rc ${p}/bin/kurvex-cli --help)
string(REGEX MATCHALL "\n  [a-z][a-z-]* DATEI" commands "${usage}")
string(REGEX REPLACE "\n  ([a-z-]+) DATEI" "\\1" commands "${commands}")
list(LENGTH commands n_commands)
if(n_commands LESS 1)
  kx_fail("kurvex-cli --help names no commands:\n${usage}")
endif()
foreach(command IN LISTS commands)
  if(NOT cli_roff MATCHES "\n\\.B ${command}\n")
    kx_fail("kurvex-cli.1: command ${command} has no entry")
  endif()
  kx_run(help err rc ${p}/bin/kurvex-cli ${command} --help)
  if(NOT rc EQUAL 0)
    kx_fail("kurvex-cli ${command} --help: exit ${rc} ${err}")
    continue()
  endif()
  help_options("${help}" options)
  expect_documented(kurvex-cli.1 "${cli_roff}" "option of ${command}" "${options}")
endforeach()
expect_documented(kurvex-cli.1 "${cli_roff}" option "--help;-h;--version")

kx_finish()
