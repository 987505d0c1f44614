# Reads the release notes in NEWS.md. The version is set once, in
# project(VERSION); NEWS.md must have notes for it as its newest release, and
# the Debian changelog and the AppStream <releases> are made from NEWS.md, so
# the package, its changelog and its metainfo cannot disagree on a version.
#
# NEWS.md holds one heading "## <version> (<yyyy>-<mm>-<dd>)" for each
# release, newest first, each followed by items "- <text>" whose further
# lines are indented by two spaces. Sets:
#   AVERLIN_APPSTREAM_RELEASES  the <release> elements, newest first
#   AVERLIN_DEBIAN_CHANGELOG    the notes in the form of a debian/changelog,
#                               signed by AVERLIN_MAINTAINER

set(news ${PROJECT_SOURCE_DIR}/NEWS.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${news})

# The date as the changelog's trailer has it, "Tue, 08 Dec 2026 00:00:00 +0000".
function(averlin_changelog_date year month day out)
  # Leading zeros away: "08" is 8.
  math(EXPR m "1${month} - 100")
  math(EXPR d "1${day} - 100")
  # The day of the week by Sakamoto's method, 0 for Sunday.
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR i "${m} - 1")
  list(GET offsets ${i} offset)
  set(y ${year})
  if(m LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${d}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${i} month_name)
  set(${out} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

file(READ ${news} text)
set(AVERLIN_APPSTREAM_RELEASES "")
set(AVERLIN_DEBIAN_CHANGELOG "")
set(newest_version "")
set(entry_trailer "")
set(line_number 0)
# Line by line, without turning the text into a list: a ";" or "[" in the
# notes would cut or join list elements.
while(NOT text STREQUAL "")
  string(FIND "${text}" "\n" end)
  if(end EQUAL -1)
    set(line "${text}")
    set(text "")
  else()
    string(SUBSTRING "${text}" 0 ${end} line)
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${text}" ${end} -1 text)
  endif()
  math(EXPR line_number "${line_number} + 1")

  if(line MATCHES "^## ([0-9][0-9A-Za-z.+~]*) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
    set(version ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_2})
    set(month ${CMAKE_MATCH_3})
    set(day ${CMAKE_MATCH_4})
    if(newest_version STREQUAL "")
      set(newest_version ${version})
    else()
      string(APPEND AVERLIN_DEBIAN_CHANGELOG "${entry_trailer}\n")
    endif()
    averlin_changelog_date(${year} ${month} ${day} date)
    string(APPEND AVERLIN_DEBIAN_CHANGELOG "averlin (${version}) unstable; urgency=medium\n\n")
    set(entry_trailer "\n -- ${AVERLIN_MAINTAINER}  ${date}\n")
    string(APPEND AVERLIN_APPSTREAM_RELEASES
           "    <release version=\"${version}\" date=\"${year}-${month}-${day}\"/>\n")
  elseif(line MATCHES "^- (.+)$" AND NOT newest_version STREQUAL "")
    string(APPEND AVERLIN_DEBIAN_CHANGELOG "  * ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^  ([^ ].*)$" AND NOT newest_version STREQUAL "")
    string(APPEND AVERLIN_DEBIAN_CHANGELOG "    ${CMAKE_MATCH_1}\n")
  elseif(NOT line STREQUAL "" AND NOT newest_version STREQUAL "")
    message(FATAL_ERROR "NEWS.md:${line_number}: a release's notes are items \"- text\", "
                        "their further lines indented by two spaces: ${line}")
  endif()
endwhile()
string(APPEND AVERLIN_DEBIAN_CHANGELOG "${entry_trailer}")

if(NOT newest_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The newest release in NEWS.md is \"${newest_version}\", but project(VERSION) "
                      "is ${PROJECT_VERSION}: NEWS.md needs a heading \"## ${PROJECT_VERSION} (<date>)\" "
                      "with the notes of this version")
endif()
