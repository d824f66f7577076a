# Checks the user manual as the build rendered it, and the generator's refusal
# of a text with a missing picture:
#   cmake -DPDF=file -DGENERATOR=make-manual -DWORK_DIR=dir -P check-manual.cmake

find_program(PDFINFO pdfinfo REQUIRED)
find_program(PDFTOTEXT pdftotext REQUIRED)
set(failures "")

if(NOT EXISTS "${PDF}")
    message(FATAL_ERROR "no manual at ${PDF}")
endif()
execute_process(COMMAND ${PDFINFO} ${PDF} OUTPUT_VARIABLE info COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "Pages: +([0-9]+)" found "${info}")
set(pages "${CMAKE_MATCH_1}")
if(NOT pages OR pages LESS 10)
    list(APPEND failures "only '${pages}' pages")
endif()

execute_process(COMMAND ${PDFTOTEXT} -enc UTF-8 ${PDF} -
    OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
# Lines break wherever the page needs it.
string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")

# Each chapter heading twice: in the contents and over its chapter. A layout
# that loses pages keeps the first and drops the second.
foreach(heading
        "1 Introduction" "2 Getting started" "3 Reading the meter" "4 The measured items"
        "5 Light quality measures" "6 The plots" "7 Data files" "8 The test report" "9 Languages"
        "10 Troubleshooting" "11 The virtual meter" "Appendix A Files and locations"
        "Appendix B Contacting KVR")
    string(REGEX MATCHALL "${heading}" hits "${text}")
    list(LENGTH hits count)
    if(count LESS 2)
        list(APPEND failures "heading '${heading}' found ${count} times")
    endif()
endforeach()

# The items with their symbols and units, the files, settings and messages a
# user looks up, and words that would break up into ligatures.
foreach(term
        "Ev" "lx" "Tcp" "Ra" "R1" "R9" "R15" "λd" "nm" "u′" "v′" "Δuv" "△uv"
        "Illuminance" "Correlated colour temperature" "Planckian locus" "1800 K" "21800 K"
        "5000 K" "CIE daylight" "CIE 13.3" "Dominant wavelength" "CIE 1931" "CIE 1976"
        "Tristimulus values" "nan" "2°" "10°" "NO.000" "Spectrum" "CIE1931" "CIE1976"
        "读取存储数据完成" "读取存储数据失败" "软件已打开！" "Could not export the data."
        "Could not open the file." "No record is selected."
        "The print information could not be saved for next time." "This file is not a Solvane data file."
        "Save File" "Open File" "Data files (*.csv)" "The data were exported."
        "language.ini" "PrintInfo" "cn.qm" "tw.qm" "en.qm" "KVR900 manual.pdf" "TorvikUSB.dll"
        "libTorvikUSB.so" "TORVIK_VM_RECORDS" "TORVIK_VM_RECORD_COUNT" "TORVIK_VM_DISCONNECTED"
        "TORVIK_VM_FAIL_AT" "TORVIK_VM_LATENCY_MS" "TORVIK_VM_GARBAGE"
        "sales@kvr.example.com" "https://kvr.example.com/company/contact-kvr" "+1 555 0142"
        "Simplified Chinese" "Traditional Chinese" "file" "buttons" "Page 2 of ${pages}"
        "α-opic" "melanopic EDI" "W·m⁻²" "µmol·m⁻²·s⁻¹" "PPFD" "TM-30-20" "CIE 224:2017"
        "Rcs,h1" "solvane-calc --quality" "solvane-read" "cct_valid" "mel_edi" "pfd_far_red"
        "Compare.ini" "Δ to first" "Normalised" "sudo apt install ./solvane_1.0.2_amd64.deb"
        "~/.config/solvane/" "/usr/share/solvane/" "The report was saved as")
    string(FIND "${text}" "${term}" at)
    if(at EQUAL -1)
        list(APPEND failures "'${term}' not found")
    endif()
endforeach()

# The window's texts as the English interface shows them, not as written in
# the source before translation.
foreach(untranslated
        "Spectro[^a-z]" "Fail to " "No item is selected" "Save file" "Open file" "Data file\\("
        "Succeeded in exporting" "WaveLength")
    if(text MATCHES "${untranslated}")
        list(APPEND failures "untranslated text '${CMAKE_MATCH_0}' found")
    endif()
endforeach()

# A picture that cannot be loaded fails the run and leaves an earlier output
# as it was.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/broken.md" "# Title\n\n# Chapter\n\n![Gone](missing.png)\n")
file(WRITE "${WORK_DIR}/out.pdf" "earlier")
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
execute_process(COMMAND ${GENERATOR} ${WORK_DIR}/broken.md ${WORK_DIR}/out.pdf
    RESULT_VARIABLE result ERROR_VARIABLE errors)
file(READ "${WORK_DIR}/out.pdf" kept)
if(NOT result EQUAL 2 OR NOT errors MATCHES "missing.png" OR NOT kept STREQUAL "earlier")
    list(APPEND failures "missing picture: exit ${result}, output '${kept}', errors: ${errors}")
endif()

# A code box that fits on a page stays on one page, wherever the text before
# it ends: boxes after a growing number of paragraphs meet the page breaks at
# every height.
set(boxes "# Title\n\n# Chapter\n\n")
foreach(box RANGE 1 12)
    foreach(filler RANGE 1 ${box})
        string(APPEND boxes "Paragraph ${filler} before box ${box}.\n\n")
    endforeach()
    string(APPEND boxes "The output:\n\n```\nfirst-of-box-${box}\n")
    foreach(line RANGE 1 20)
        string(APPEND boxes "line ${line}\n")
    endforeach()
    string(APPEND boxes "last-of-box-${box}\n```\n\n")
endforeach()
file(WRITE "${WORK_DIR}/boxes.md" "${boxes}")
execute_process(COMMAND ${GENERATOR} ${WORK_DIR}/boxes.md ${WORK_DIR}/boxes.pdf
    RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    list(APPEND failures "code boxes: exit ${result}, errors: ${errors}")
else()
    execute_process(COMMAND ${PDFTOTEXT} -enc UTF-8 ${WORK_DIR}/boxes.pdf -
        OUTPUT_VARIABLE boxText COMMAND_ERROR_IS_FATAL ANY)
    # pdftotext ends each page with a form feed.
    string(ASCII 12 formFeed)
    string(REPLACE "${formFeed}" ";" boxPages "${boxText}")
    foreach(box RANGE 1 12)
        set(firstPage "")
        set(lastPage "")
        set(index 0)
        foreach(pageText IN LISTS boxPages)
            if(pageText MATCHES "first-of-box-${box}\n")
                set(firstPage ${index})
            endif()
            if(pageText MATCHES "last-of-box-${box}\n")
                set(lastPage ${index})
            endif()
            math(EXPR index "${index} + 1")
        endforeach()
        if(firstPage STREQUAL "" OR NOT firstPage STREQUAL lastPage)
            list(APPEND failures
                "code box ${box} runs from page '${firstPage}' to page '${lastPage}'")
        endif()
    endforeach()
endif()

if(failures)
    list(JOIN failures "\n  " report)
    message(FATAL_ERROR "manual check failed:\n  ${report}")
endif()
message(STATUS "manual: ${pages} pages")
