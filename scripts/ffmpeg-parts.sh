# Sourced by the scripts that build the media library for another target (the browser, Windows):
# the parts of it the game uses, and nothing more, as options of its configure script.
#   film:   the AVI container, the codecs the intro film may be stored in (read, and written by the
#           film encoder the tests use), and the scaler to the display's pixels;
#   sound:  the compressed WAVE forms a tune or effect may take.
JIZDAVO_FFMPEG_PARTS=(
  --disable-everything --disable-autodetect --disable-programs --disable-doc --disable-network
  --disable-avdevice --disable-avfilter --disable-postproc --disable-swresample
  --enable-avformat --enable-avcodec --enable-swscale
  --enable-protocol=file
  --enable-demuxer=avi --enable-muxer=avi
  --enable-decoder=mjpeg,mpeg4,rawvideo,huffyuv
  --enable-encoder=mjpeg,mpeg4,rawvideo,huffyuv
  --enable-decoder=adpcm_ima_wav,adpcm_ms,pcm_mulaw,pcm_alaw,gsm_ms
  --enable-static --disable-shared
)
