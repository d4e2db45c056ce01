# Writes a section-1 manual page from a program's own --help texts, so the page and the program
# never disagree. Run with cmake -P and:
#   PROGRAM  the built executable         NAME     its name on the page
#   SUMMARY  the one-line description     VERSION  the project's version
#   COMMANDS (optional) comma-separated subcommands whose "COMMAND --help" texts follow as subsections
#   OUTPUT   the page to write
cmake_minimum_required(VERSION 3.25)

function(help_text out)
  execute_process(COMMAND "${PROGRAM}" ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed: ${rc}")
  endif()
  # Text as it is, in a no-fill block: backslashes and leading dots must not reach roff.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}.fi\n" PARENT_SCOPE)
endfunction()

string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" name "${NAME}")
help_text(body)
set(page ".TH ${title} 1 \"\" \"Korvane ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${name} \\- ${SUMMARY}\n.SH DESCRIPTION\n${body}")
string(REPLACE "," ";" commands "${COMMANDS}")
foreach(command IN LISTS commands)
  help_text(text ${command})
  string(APPEND page ".SS ${command}\n${text}")
endforeach()
file(WRITE "${OUTPUT}.tmp" "${page}")
file(ARCHIVE_CREATE OUTPUT "${OUTPUT}.gz" PATHS "${OUTPUT}.tmp" FORMAT raw COMPRESSION GZip)
file(REMOVE "${OUTPUT}.tmp")
