cmake_minimum_required(VERSION 3.25)
# The layer check must catch a wrong-way include: copy the sources, plant an
# include of a scene header into a model source of the copy and require the
# check to fail naming exactly that include. The tree itself is not touched.
#   cmake -DSRC=... -DWORK=<scratch folder> -DCHECK=<CheckLayers.cmake> -P PlantedInclude.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SRC}/" DESTINATION "${WORK}/src")


function(expect_caught plant_file plant_line expected)
  file(READ "${WORK}/src/${plant_file}" original)
  file(WRITE "${WORK}/src/${plant_file}" "${plant_line}\n${original}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -DSRC=${WORK}/src -P "${CHECK}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(WRITE "${WORK}/src/${plant_file}" "${original}")
  if(rc EQUAL 0)
    message(FATAL_ERROR "planted `${plant_line}` in ${plant_file} was not caught")
  endif()
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "planted include caught, but not reported as expected:\n${err}")
  endif()
  string(FIND "${err}" "1 include(s) against the layers" one)
  if(one EQUAL -1)
    message(FATAL_ERROR "the clean copy shows other problems besides the planted one:\n${err}")
  endif()
endfunction()

# The copy as it is passes.
execute_process(COMMAND "${CMAKE_COMMAND}" -DSRC=${WORK}/src -P "${CHECK}"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the unmodified copy fails the check:\n${err}")
endif()

expect_caught(model/Jet.cpp "#include \"scene/ColourTable.h\""
              "model/Jet.cpp (model) includes scene/ColourTable.h (scene)")
expect_caught(image/JpegFile.cpp "#include \"model/Case.h\""
              "image/JpegFile.cpp (image) includes model/Case.h (model)")
expect_caught(scene/JetDisplays.cpp "#include \"gl/SceneFrame.h\""
              "scene/JetDisplays.cpp (scene) includes gl/SceneFrame.h (gl)")
expect_caught(geometry/Polygon.cpp "#include <GL/gl.h>"
              "geometry/Polygon.cpp (geometry) includes <GL/gl.h>")
file(REMOVE_RECURSE "${WORK}")
message(STATUS "every planted wrong-way include was caught")
