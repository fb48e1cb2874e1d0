# cmake -DBUILD=... -DPREFIKS=... -DDRUGI_FOLDER=... -DID=... -DVERZIJA=...
#       -DPROGRAM=<build tree's skem> -DPRIMERI=<source examples>
#       [-DPYTHON=<interpreter> -DPYTHON_FOLDER=<the module's folder under the prefix>]
#       -P ProveriInstalaciju.cmake
# Installs the build into PREFIKS and checks what the desktop and the user
# rely on: every file in its place, the files naming each other consistently,
# the document type registered, and the installed program running from a
# folder that has nothing of SKEM in it.

cmake_minimum_required(VERSION 3.25)
set(greske "")
macro(greska tekst)
  string(APPEND greske "  ${tekst}\n")
endmacro()

file(REMOVE_RECURSE ${PREFIKS} ${DRUGI_FOLDER})
file(MAKE_DIRECTORY ${DRUGI_FOLDER})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIKS}
                RESULT_VARIABLE kod OUTPUT_QUIET ERROR_VARIABLE poruka)
if(NOT kod EQUAL 0)
  message(FATAL_ERROR "cmake --install nije uspeo (${kod}):\n${poruka}")
endif()

set(deljeno ${PREFIKS}/share)
foreach(fajl
    bin/skem
    share/skem/Manifest.xml
    share/skem/help/index.htm
    share/skem/help/28.htm
    share/skem/examples/oscilator.skem
    share/skem/examples/klatno.skem
    share/skem/examples/klatno_merenja.csv
    share/applications/${ID}.desktop
    share/mime/packages/${ID}.xml
    share/metainfo/${ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${ID}.svg
    share/icons/hicolor/48x48/apps/${ID}.png
    share/icons/hicolor/256x256/apps/${ID}.png
    share/man/man1/skem.1)
  if(NOT EXISTS ${PREFIKS}/${fajl})
    greska("nema ${fajl}")
  endif()
endforeach()

# The measurements an example shows are installed beside it, where the
# document's relative file name finds them.
file(GLOB primeri ${PREFIKS}/share/skem/examples/*.skem)
foreach(primer IN LISTS primeri)
  file(STRINGS ${primer} fajlovi REGEX "<Fajl>[^<]+</Fajl>")
  foreach(red IN LISTS fajlovi)
    string(REGEX REPLACE ".*<Fajl>([^<]+)</Fajl>.*" "\\1" fajl "${red}")
    get_filename_component(ime ${primer} NAME)
    if(NOT EXISTS ${PREFIKS}/share/skem/examples/${fajl})
      greska("${ime} prikazuje merenja iz ${fajl}, a ona nisu instalirana")
    endif()
  endforeach()
endforeach()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(velicina 48 256)
  set(png ${deljeno}/icons/hicolor/${velicina}x${velicina}/apps/${ID}.png)
  if(EXISTS ${png})
    file(READ ${png} zaglavlje LIMIT 24 HEX)
    string(SUBSTRING ${zaglavlje} 32 8 s)
    string(SUBSTRING ${zaglavlje} 40 8 v)
    math(EXPR s "0x${s}")
    math(EXPR v "0x${v}")
    if(NOT s EQUAL velicina OR NOT v EQUAL velicina)
      greska("ikona ${velicina}: ${s} x ${v} piksela")
    endif()
  endif()
endforeach()

# The desktop entry names the program, the icon and the document type that
# the installation provides; the metainfo names the desktop entry.
# (${CMAKE_MATCH_1} is expanded before if() matches, so each match is read
# in the next command.)
set(ulaz ${deljeno}/applications/${ID}.desktop)
if(EXISTS ${ulaz})
  file(STRINGS ${ulaz} redovi)
  file(READ ${deljeno}/mime/packages/${ID}.xml tipovi)
  foreach(red IN LISTS redovi)
    if(red MATCHES "^Exec=([^ ]+)")
      if(NOT EXISTS ${PREFIKS}/bin/${CMAKE_MATCH_1})
        greska("Exec pokrece ${CMAKE_MATCH_1}, a u bin/ ga nema")
      endif()
    elseif(red MATCHES "^Icon=(.+)$")
      if(NOT EXISTS ${deljeno}/icons/hicolor/scalable/apps/${CMAKE_MATCH_1}.svg)
        greska("ikona ${CMAKE_MATCH_1} nije instalirana")
      endif()
    elseif(red MATCHES "^MimeType=(.+);$")
      string(REPLACE ";" "|" trazeni "${CMAKE_MATCH_1}")
      string(REPLACE "|" ";" trazeni "${trazeni}")
      foreach(tip IN LISTS trazeni)
        string(FIND "${tipovi}" "type=\"${tip}\"" mesto)
        if(mesto LESS 0)
          greska("tip ${tip} nije definisan")
        endif()
      endforeach()
    endif()
  endforeach()
endif()
file(READ ${deljeno}/metainfo/${ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">([^<]+)</launchable>")
  greska("metainfo ne navodi ulaz menija")
elseif(NOT EXISTS ${deljeno}/applications/${CMAKE_MATCH_1})
  greska("metainfo navodi ulaz menija ${CMAKE_MATCH_1} koji nije instaliran")
endif()

# The document type as the desktop's database compiles it: by name and by
# the root element.
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(NOT UPDATE_MIME_DATABASE)
  message(FATAL_ERROR "nema update-mime-database (paket shared-mime-info)")
endif()
execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${deljeno}/mime RESULT_VARIABLE kod
                OUTPUT_QUIET ERROR_VARIABLE poruka)
if(NOT kod EQUAL 0 OR poruka MATCHES "[Ee]rror|[Ww]arning")
  greska("update-mime-database: ${poruka}")
endif()
file(READ ${deljeno}/mime/globs2 globovi)
file(READ ${deljeno}/mime/XMLnamespaces koreni)
if(NOT globovi MATCHES ":application/x-skem\\+xml:\\*\\.skem\n")
  greska("*.skem nije prijavljen")
endif()
if(NOT koreni MATCHES " SKEMDokument application/x-skem\\+xml\n")
  greska("koren SKEMDokument nije prijavljen")
endif()

# The installed program from an unrelated folder, against the build tree's.
set(argumenti --duration 10 --step 0.01 --print 0.1)
execute_process(COMMAND ${PREFIKS}/bin/skem --run ${deljeno}/skem/examples/oscilator.skem ${argumenti}
                WORKING_DIRECTORY ${DRUGI_FOLDER} TIMEOUT 120
                RESULT_VARIABLE kod OUTPUT_VARIABLE instalirani ERROR_VARIABLE poruka)
execute_process(COMMAND ${PROGRAM} --run ${PRIMERI}/oscilator.skem ${argumenti}
                WORKING_DIRECTORY ${DRUGI_FOLDER} TIMEOUT 120 OUTPUT_VARIABLE izgradjeni)
if(NOT kod EQUAL 0)
  greska("paketni rad instaliranog programa: kod ${kod}, ${poruka}")
elseif(NOT instalirani MATCHES "^t," OR NOT instalirani STREQUAL izgradjeni)
  greska("instalirani program daje drugi CSV nego program iz build foldera")
endif()

# The installed Python module, from the installed folder only, gives the
# installed program's CSV.
if(PYTHON)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${PREFIKS}/${PYTHON_FOLDER}
                          --unset=DISPLAY --unset=QT_QPA_PLATFORM
                          ${PYTHON} -c "import sys, skem
assert skem.__file__.startswith(sys.path[1]), skem.__file__
r = skem.ucitaj('${deljeno}/skem/examples/oscilator.skem').simuliraj(10, 0.01, 0.1)
sys.stdout.buffer.write(r.csv())"
                  WORKING_DIRECTORY ${DRUGI_FOLDER} TIMEOUT 120
                  RESULT_VARIABLE kod OUTPUT_VARIABLE iz_pythona ERROR_VARIABLE poruka)
  if(NOT kod EQUAL 0 OR NOT iz_pythona STREQUAL izgradjeni)
    greska("modul skem iz ${PYTHON_FOLDER}: kod ${kod}, ${poruka}")
  endif()
endif()

# The program's own options: its exit code and the beginnings of what it
# prints on stdout and stderr ("" there: nothing at all).
function(proveri_opcije ocekivani_kod izlaz_pocinje greske_pocinju)
  execute_process(COMMAND ${PREFIKS}/bin/skem ${ARGN} WORKING_DIRECTORY ${DRUGI_FOLDER}
                  TIMEOUT 60 RESULT_VARIABLE kod OUTPUT_VARIABLE izlaz ERROR_VARIABLE poruka)
  string(FIND "${izlaz}" "${izlaz_pocinje}" u_izlazu)
  string(FIND "${poruka}" "${greske_pocinju}" u_greskama)
  if(NOT kod EQUAL ocekivani_kod OR NOT u_izlazu EQUAL 0 OR NOT u_greskama EQUAL 0
     OR (izlaz_pocinje STREQUAL "" AND NOT izlaz STREQUAL "")
     OR (greske_pocinju STREQUAL "" AND NOT poruka STREQUAL ""))
    set(greske "${greske}  skem ${ARGN}: kod ${kod}, izlaz '${izlaz}', greske '${poruka}'\n"
        PARENT_SCOPE)
  endif()
endfunction()
proveri_opcije(0 "SKEM ${VERZIJA}\n" "" --version)
proveri_opcije(0 "Upotreba: skem " "" --help)
proveri_opcije(2 "" "Nepoznata opcija --nepoznata.\n" --nepoznata)
proveri_opcije(2 "" "Opcija --run mora biti prvi argument.\n" primer.skem --run)

if(greske)
  message(FATAL_ERROR "Instalacija u ${PREFIKS} nije ispravna:\n${greske}")
endif()
message(STATUS "Instalacija u ${PREFIKS} je ispravna.")
