# The files the game reads from data/ at run time, named once: installed with
# the game, staged into the page's data package, and checked by the tests.
set(COILRUN_SHADER_FILES
  2d.vert 2d.frag 2dBlur.vert 2dBlur.frag default.vert default.frag textRender.vert textRender.frag)
set(COILRUN_FONT_FILES font.png font.csv)
set(COILRUN_DATA_FILES ${COILRUN_SHADER_FILES} ${COILRUN_FONT_FILES})
# The same as one line of names separated by blanks, for tests and scripts.
list(JOIN COILRUN_DATA_FILES " " COILRUN_DATA_FILES_LINE)
