# An installed copy in a scratch prefix starts offscreen, finds its shipped data and reaches the
# declarations index. Run by ctest: -DBUILD=<build dir> -DWORK=<scratch dir>.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
foreach(f bin/quildexan share/quildexan/DatLocal.db share/quildexan/MODULO03.db
          share/applications/quildexan.desktop share/icons/hicolor/scalable/apps/quildexan.svg)
  if(NOT EXISTS ${WORK}/prefix/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(GLOB lib ${WORK}/prefix/lib*/libtallyvex.so)
if(NOT lib)
  message(FATAL_ERROR "not installed: the calculation library")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=QX_RESOURCES_DIR QT_QPA_PLATFORM=offscreen QX_STARTUP_TIME=1
          QX_DATA_DIR=${WORK}/data QX_CONFIG_DIR=${WORK}/config XDG_DATA_HOME=${WORK}/xdg-data
          XDG_CONFIG_HOME=${WORK}/xdg-config QX_INSTANCE_NAME=qx-install-test-${WORK_ID}
          ${WORK}/prefix/bin/quildexan
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT rc EQUAL 0 OR NOT err MATCHES "start-up to the declarations index")
  message(FATAL_ERROR "the installed program did not start (${rc}):\n${out}\n${err}")
endif()
file(REMOVE_RECURSE ${WORK})
