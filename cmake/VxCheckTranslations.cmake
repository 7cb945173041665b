# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a translation misses a text of the sources. Runs lupdate over
# the sources (SOURCES_LIST, one file a line) into a copy of each .ts file of
# TS_FILES in WORK_DIR and lists every entry it leaves unfinished: a new text
# not yet translated, or one whose translation was never finished.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(missing 0)
foreach(ts ${TS_FILES})
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK_DIR}/${name})
  file(COPY_FILE ${ts} ${copy})
  execute_process(
    COMMAND ${LUPDATE} -silent -locations none -no-obsolete @${SOURCES_LIST} -ts ${copy}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}:\n${output}")
  endif()
  file(READ ${copy} text)
  # Semicolons would split the entries of CMake's lists.
  string(REPLACE ";" "@SEMICOLON@" text "${text}")
  string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*(<comment>[^<]*</comment>[ \t\r\n]*)?(<extracomment>[^<]*</extracomment>[ \t\r\n]*)?<translation type=\"unfinished\""
         unfinished "${text}")
  foreach(entry ${unfinished})
    string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" source "${entry}")
    string(REPLACE "@SEMICOLON@" ";" source "${source}")
    string(REPLACE "&lt;" "<" source "${source}")
    string(REPLACE "&gt;" ">" source "${source}")
    string(REPLACE "&quot;" "\"" source "${source}")
    string(REPLACE "&apos;" "'" source "${source}")
    string(REPLACE "&amp;" "&" source "${source}")
    message("${name}: not translated: ${source}")
    math(EXPR missing "${missing} + 1")
  endforeach()
endforeach()
if(missing GREATER 0)
  message(FATAL_ERROR "${missing} text(s) without a translation. Run `cmake --build build "
                      "--target update_translations` and translate them in translations/.")
endif()
