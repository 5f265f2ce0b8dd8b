#include "platform/videorecorder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

using Clock = std::chrono::steady_clock;

// MJPEG quantiser 2 (best) ... 31 (smallest) from the 1 ... 100 quality of the dialog.
int QScaleFor(int quality) {
  quality = std::clamp(quality, 1, 100);
  return 2 + (100 - quality) * 29 / 99;
}

}  // namespace

VideoRecorder::~VideoRecorder() {
  Stop();
}

bool VideoRecorder::Start(const std::string& path, int framesPerSecond, int width, int height,
                          int quality) {
  if (thread.joinable() || format != nullptr) return false;
  if (width <= 0 || height <= 0 || path.empty()) return false;
  fps = std::max(1, framesPerSecond);
  outWidth = std::max(2, (width + 1) & ~1);
  outHeight = std::max(2, (height + 1) & ~1);
  failed = false;
  stopping = false;
  slotFresh = false;

  if (avformat_alloc_output_context2(&format, nullptr, "avi", path.c_str()) < 0 || !format) {
    format = nullptr;
    return false;
  }
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
  if (!encoder) {
    Release();
    return false;
  }
  codec = avcodec_alloc_context3(encoder);
  stream = avformat_new_stream(format, nullptr);
  picture = av_frame_alloc();
  packet = av_packet_alloc();
  if (!codec || !stream || !picture || !packet) {
    Release();
    return false;
  }
  codec->width = outWidth;
  codec->height = outHeight;
  codec->pix_fmt = AV_PIX_FMT_YUV420P;
  codec->color_range = AVCOL_RANGE_JPEG;
  codec->time_base = AVRational{1, fps};
  codec->framerate = AVRational{fps, 1};
  codec->flags |= AV_CODEC_FLAG_QSCALE;
  codec->global_quality = FF_QP2LAMBDA * QScaleFor(quality);
  if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(codec, encoder, nullptr) < 0 ||
      avcodec_parameters_from_context(stream->codecpar, codec) < 0) {
    Release();
    return false;
  }
  stream->time_base = codec->time_base;
  stream->avg_frame_rate = AVRational{fps, 1};
  picture->format = codec->pix_fmt;
  picture->width = outWidth;
  picture->height = outHeight;
  picture->color_range = AVCOL_RANGE_JPEG;
  if (av_frame_get_buffer(picture, 0) < 0 ||
      avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) {
    Release();
    return false;
  }
  if (avformat_write_header(format, nullptr) < 0) {
    Release();
    std::remove(path.c_str());
    return false;
  }
  {
    std::lock_guard lock(mutex);
    accepting = true;
  }
  thread = std::thread([this] { Run(); });
  return true;
}

void VideoRecorder::Push(const uint8_t* data, uint32_t used, int32_t width, int32_t height,
                         FramePixels pixels) {
  if (data == nullptr || used == 0) return;
  std::lock_guard lock(mutex);
  if (stopping || !accepting) return;
  slot.assign(data, data + used);
  slotUsed = used;
  slotWidth = width;
  slotHeight = height;
  slotPixels = pixels;
  slotFresh = true;
  wake.notify_one();
}

void VideoRecorder::Run() {
  const auto period = std::chrono::microseconds(1000000 / fps);
  std::vector<uint8_t> work;
  std::unique_lock lock(mutex);
  bool started = false;
  Clock::time_point start;
  int64_t nextPts = 0;
  for (;;) {
    if (!started) {
      wake.wait(lock, [this] { return stopping || slotFresh; });
      if (!slotFresh) break;
      started = true;
      start = Clock::now();
    }
    const bool stop = stopping;
    const int64_t now = (Clock::now() - start) / period;
    if (slotFresh && (now >= nextPts || stop)) {
      work.swap(slot);
      slotFresh = false;
      const uint32_t used = slotUsed;
      const int32_t width = slotWidth, height = slotHeight;
      const FramePixels pixels = slotPixels;
      lock.unlock();
      const int64_t pts = std::max(nextPts, now);
      if (Encode(work, used, width, height, pixels, pts)) nextPts = pts + 1;
      lock.lock();
    }
    if (stop) break;
    // Sleep to the next frame time; a frame arriving earlier waits for it.
    const int64_t due = std::max(nextPts, (Clock::now() - start) / period + 1);
    wake.wait_until(lock, start + due * period, [this] { return stopping; });
  }
}

bool VideoRecorder::Encode(const std::vector<uint8_t>& data, uint32_t used, int32_t width,
                           int32_t height, FramePixels pixels, int64_t pts) {
  if (width <= 0 || height <= 0 || failed) return false;
  const size_t pixelCount = static_cast<size_t>(width) * height;
  const uint8_t* source[4] = {};
  int stride[4] = {};
  AVPixelFormat sourceFormat;
  QImage converted;
  if (pixels == FramePixels::kBgrBottomUp) {
    if (used < pixelCount * 3 || data.size() < pixelCount * 3) return false;
    sourceFormat = AV_PIX_FMT_BGR24;
    stride[0] = -width * 3;
    source[0] = data.data() + static_cast<size_t>(height - 1) * width * 3;
  } else if (pixels != FramePixels::kYuy2TopDown) {
    return false;
  } else if (width % 2 == 0) {
    if (used < pixelCount * 2 || data.size() < pixelCount * 2) return false;
    sourceFormat = AV_PIX_FMT_YUYV422;
    stride[0] = width * 2;
    source[0] = data.data();
  } else {
    // Pixel pairs that run across lines: no packed format of the scaler matches.
    converted = FrameToImage(data.data(), used, width, height, pixels);
    if (converted.isNull()) return false;
    sourceFormat = AV_PIX_FMT_RGB24;
    stride[0] = static_cast<int>(converted.bytesPerLine());
    source[0] = converted.constBits();
  }
  if (!scaler || scalerWidth != width || scalerHeight != height || scalerPixels != pixels) {
    sws_freeContext(scaler);
    scaler = sws_getContext(width, height, sourceFormat, outWidth, outHeight, AV_PIX_FMT_YUV420P,
                            SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler) return false;
    const int* coefficients = sws_getCoefficients(SWS_CS_ITU601);
    sws_setColorspaceDetails(scaler, coefficients, sourceFormat == AV_PIX_FMT_YUYV422 ? 0 : 1,
                             coefficients, 1, 0, 1 << 16, 1 << 16);
    scalerWidth = width;
    scalerHeight = height;
    scalerPixels = pixels;
  }
  if (av_frame_make_writable(picture) < 0) return false;
  sws_scale(scaler, source, stride, 0, height, picture->data, picture->linesize);
  picture->pts = pts;
  picture->quality = codec->global_quality;
  if (avcodec_send_frame(codec, picture) < 0 || !WritePackets()) {
    failed = true;
    return false;
  }
  return true;
}

bool VideoRecorder::WritePackets() {
  for (;;) {
    int result = avcodec_receive_packet(codec, packet);
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
    if (result < 0) return false;
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    result = av_interleaved_write_frame(format, packet);
    av_packet_unref(packet);
    if (result < 0) return false;
  }
}

bool VideoRecorder::Stop() {
  {
    std::lock_guard lock(mutex);
    if (!thread.joinable() && format == nullptr) return false;
    stopping = true;
    accepting = false;
    wake.notify_all();
  }
  if (thread.joinable()) thread.join();
  bool ok = !failed;
  if (codec && format) {
    if (avcodec_send_frame(codec, nullptr) < 0 || !WritePackets()) ok = false;
    if (av_write_trailer(format) < 0) ok = false;
  }
  Release();
  return ok;
}

void VideoRecorder::Release() {
  if (format && format->pb) avio_closep(&format->pb);
  avformat_free_context(format);
  format = nullptr;
  stream = nullptr;
  avcodec_free_context(&codec);
  av_frame_free(&picture);
  av_packet_free(&packet);
  sws_freeContext(scaler);
  scaler = nullptr;
}
