# The office suite's UNO C++ bindings (package libreoffice-dev): headers,
# libraries, cppumaker, and the type libraries of the installed office from
# which the headers of the UNO types are generated at build time.
set(GALVORA_LO_PROGRAMME "/usr/lib/libreoffice/program" CACHE PATH
  "Folder of the office's program, type libraries and UNO bootstrap files")
find_program(GALVORA_CPPUMAKER cppumaker
  HINTS "${GALVORA_LO_PROGRAMME}/../sdk/bin" /usr/lib/libreoffice/sdk/bin)
find_path(GALVORA_UNO_INCLUDE cppuhelper/bootstrap.hxx
  HINTS /usr/include/libreoffice "${GALVORA_LO_PROGRAMME}/../sdk/include")
find_file(GALVORA_UNO_TYPES_RDB types.rdb HINTS "${GALVORA_LO_PROGRAMME}" NO_DEFAULT_PATH)
find_file(GALVORA_UNO_OFFAPI_RDB offapi.rdb HINTS "${GALVORA_LO_PROGRAMME}/types" NO_DEFAULT_PATH)
set(GALVORA_UNO_LIBS "")
set(galvora_uno_complet TRUE)
foreach(nom IN ITEMS uno_cppu uno_cppuhelpergcc3 uno_sal uno_salhelpergcc3)
  find_library(GALVORA_LIB_${nom} NAMES ${nom} lib${nom}.so.3
    HINTS "${GALVORA_LO_PROGRAMME}/../sdk/lib" "${GALVORA_LO_PROGRAMME}" NO_DEFAULT_PATH)
  if(GALVORA_LIB_${nom})
    list(APPEND GALVORA_UNO_LIBS "${GALVORA_LIB_${nom}}")
  else()
    set(galvora_uno_complet FALSE)
  endif()
endforeach()
foreach(v IN ITEMS GALVORA_CPPUMAKER GALVORA_UNO_INCLUDE GALVORA_UNO_TYPES_RDB GALVORA_UNO_OFFAPI_RDB)
  if(NOT ${v})
    set(galvora_uno_complet FALSE)
  endif()
endforeach()
set(GALVORA_UNO_TROUVE ${galvora_uno_complet})
