# Run as cmake -P: copies the public headers to OUTPUT/tarvelo/ as a host
# includes them. In the source tree they include one another by their place
# there ("framework/page/SettingsPage.h"), which would, under an include
# folder a host adds, meet the host's own framework/, host/, app/ or pages/.
# The copies include one another as <tarvelo/framework/page/SettingsPage.h>,
# so a host adds no folder of ours and includes them the same way.
#   -DSOURCE=folder -DGENERATED=folder -DOUTPUT=folder -DHEADERS=a.h|b.h -DGENERATED_HEADERS=x.h|y.h
cmake_policy(VERSION 3.16)
string(REPLACE "|" ";" HEADERS "${HEADERS}")
string(REPLACE "|" ";" GENERATED_HEADERS "${GENERATED_HEADERS}")
set(installed ${HEADERS} ${GENERATED_HEADERS})
foreach(header IN LISTS HEADERS GENERATED_HEADERS)
  if(header IN_LIST GENERATED_HEADERS)
    file(READ "${GENERATED}/${header}" text)
  else()
    file(READ "${SOURCE}/${header}" text)
  endif()
  foreach(other IN LISTS installed)
    string(REPLACE "#include \"${other}\"" "#include <tarvelo/${other}>" text "${text}")
  endforeach()
  set(copy "${OUTPUT}/tarvelo/${header}")
  # Written only when changed, so that an unchanged header rebuilds nothing.
  set(old "")
  if(EXISTS "${copy}")
    file(READ "${copy}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${copy}" "${text}")
  endif()
endforeach()
