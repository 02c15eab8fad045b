# Runs meandor-replay on one script without any SDL driver set (the tool chooses the dummy
# ones itself) and checks the outcome: with EXPECTED, the exit status 0 and standard output
# exactly as that file says; with ERROR, the exit status STATUS and standard error matching it.
# AUDIO, when given, names the audio driver instead (one that does not exist: no sound device).
# cmake -DTOOL=... -DSCRIPT=... -DASSETS=... -DACTUAL=... [-DAUDIO=...]
#       (-DEXPECTED=... | -DSTATUS=... -DERROR=...) -P RunReplay.cmake
set(audio --unset=SDL_AUDIODRIVER)
if(DEFINED AUDIO)
  set(audio SDL_AUDIODRIVER=${AUDIO})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=SDL_VIDEODRIVER ${audio} --unset=DISPLAY
          ${TOOL} --assets ${ASSETS} ${SCRIPT}
  OUTPUT_FILE ${ACTUAL}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 240)

if(DEFINED ERROR)
  if(NOT status EQUAL STATUS OR NOT errors MATCHES "${ERROR}")
    message(FATAL_ERROR "expected exit status ${STATUS} and an error matching '${ERROR}', "
                        "got ${status}: ${errors}")
  endif()
  return()
endif()

if(NOT status EQUAL 0)
  message(FATAL_ERROR "meandor-replay exited with ${status}: ${errors}")
endif()
execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL} OUTPUT_VARIABLE difference
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "the game went differently (${ACTUAL}):\n${difference}")
endif()
