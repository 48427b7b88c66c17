# The font files a build without fontconfig carries beside the program, in fonts/: the very files the
# desktop finds through fontconfig, from Debian's fonts-wine, fonts-lato, fonts-liberation2,
# fonts-dejavu-core and fonts-dejavu-extra (installed by scripts/packages.sh). src/platform/text/bundled_fonts.cpp describes
# each by its file name.
set(JIZDAVO_BUNDLED_FONT_FILES
  /usr/share/wine/fonts/tahoma.ttf
  /usr/share/wine/fonts/ms_sans_serif.ttf
  /usr/share/wine/fonts/marlett.ttf
  /usr/share/fonts/truetype/lato/Lato-Black.ttf
  /usr/share/fonts/truetype/lato/Lato-BlackItalic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf)

# Copies them into <build>/fonts as part of every build (the font tests read them there too).
function(jizdavo_bundle_fonts)
  set(copies)
  foreach(file ${JIZDAVO_BUNDLED_FONT_FILES})
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_BINARY_DIR}/fonts/${name})
    add_custom_command(OUTPUT ${copy} COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy} DEPENDS ${file}
                       COMMENT "Bundling ${name}")
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(jizdavo_fonts ALL DEPENDS ${copies})
endfunction()
