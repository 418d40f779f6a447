# Runs qmllint with the arguments listed one per line in ARGUMENTS: a qrc file is a module's
# resources (--resource), a .qml file one to check, anything else an import path option. Fails on
# any warning.
file(STRINGS ${ARGUMENTS} lines)
set(options)
set(files)
set(blur_files)
foreach(line IN LISTS lines)
  if(line MATCHES "\\.qrc$")
    list(APPEND options --resource ${line})
  elseif(line MATCHES "\\.qml$")
    file(STRINGS ${line} blur_import REGEX "^import Qt5Compat\\.GraphicalEffects")
    if(blur_import)
      list(APPEND blur_files ${line})
    else()
      list(APPEND files ${line})
    endif()
  else()
    list(APPEND options ${line})
  endif()
endforeach()

execute_process(COMMAND ${QMLLINT} ${options} ${files} RESULT_VARIABLE result)
# Debian's Qt5Compat.GraphicalEffects names a private plugins.qmltypes it does not ship: its
# users are checked without the import category only (their types still resolve).
set(blur_result 0)
if(blur_files)
  execute_process(COMMAND ${QMLLINT} --import disable ${options} ${blur_files}
    RESULT_VARIABLE blur_result)
endif()
if(NOT result EQUAL 0 OR NOT blur_result EQUAL 0)
  message(FATAL_ERROR "qmllint reported warnings (see above)")
endif()
