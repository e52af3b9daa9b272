// Recordings as samples: FFmpeg decodes and writes the container formats, libmp3lame makes the
// reader's MP3s (with the encoder-delay tag, so a decoder plays exactly the samples put in).
//
// Sections: [Resources] [Decoding] [Cutting and mixing] [MP3] [Writing other formats]
#include "tools/bookkit/AudioClip.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <lame/lame.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace bookkit {

namespace {

// ---------------------------------------------------------------------------------------------
// [Resources]
// ---------------------------------------------------------------------------------------------

struct InputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct ResamplerCloser {
    void operator()(SwrContext* c) const { swr_free(&c); }
};
struct PacketCloser {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameCloser {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct LameCloser {
    void operator()(lame_global_flags* g) const { lame_close(g); }
};

using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameCloser>;

std::string averror(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// FFmpeg's own messages would repeat ours on stderr, and a damaged file can print hundreds.
void quietLibraries() {
    static const bool done = [] {
        av_log_set_level(AV_LOG_FATAL);
        return true;
    }();
    (void)done;
}

// ---------------------------------------------------------------------------------------------
// [Decoding]
// ---------------------------------------------------------------------------------------------

// Converts whatever the decoder gives into interleaved floats with `channels` at `rate`.
bool drain(SwrContext* swr, const AVFrame* frame, int channels, std::vector<float>& out) {
    const int inSamples = frame ? frame->nb_samples : 0;
    const int room = swr_get_out_samples(swr, inSamples);
    if (room <= 0) {
        return true;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(room) * channels);
    uint8_t* dst = reinterpret_cast<uint8_t*>(out.data() + start);
    const int got = swr_convert(swr, &dst, room, frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                                inSamples);
    if (got < 0) {
        out.resize(start);
        return false;
    }
    out.resize(start + static_cast<std::size_t>(got) * channels);
    return true;
}

bool decode(const std::string& path, int wantRate, bool mono, Pcm& out, std::string& error) {
    quietLibraries();
    out = Pcm{};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = path + ": no such file";
        return false;
    }
    AVFormatContext* raw = nullptr;
    int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (rc < 0) {
        error = path + ": not a sound file (" + averror(rc) + ")";
        return false;
    }
    InputPtr input(raw);
    if ((rc = avformat_find_stream_info(input.get(), nullptr)) < 0) {
        error = path + ": cannot be read (" + averror(rc) + ")";
        return false;
    }
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream < 0 || !codec) {
        error = path + ": holds no audio";
        return false;
    }
    CodecPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), input->streams[stream]->codecpar) < 0 ||
        (rc = avcodec_open2(decoder.get(), codec, nullptr)) < 0) {
        error = path + ": its audio cannot be decoded";
        return false;
    }
    AVChannelLayout inLayout{};  // av_channel_layout_copy frees what the target held first
    if (decoder->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || decoder->ch_layout.nb_channels <= 0) {
        av_channel_layout_default(&inLayout, std::max(1, decoder->ch_layout.nb_channels));
    } else if (av_channel_layout_copy(&inLayout, &decoder->ch_layout) < 0) {
        error = path + ": unusable channel layout";
        return false;
    }
    const int channels = mono ? 1 : inLayout.nb_channels;
    const int rate = wantRate > 0 ? wantRate : decoder->sample_rate;
    if (rate <= 0 || channels <= 0 || channels > 8) {
        av_channel_layout_uninit(&inLayout);
        error = path + ": unusable sample rate or channel count";
        return false;
    }
    AVChannelLayout outLayout{};
    av_channel_layout_default(&outLayout, channels);
    SwrContext* swrRaw = nullptr;
    rc = swr_alloc_set_opts2(&swrRaw, &outLayout, AV_SAMPLE_FMT_FLT, rate, &inLayout, decoder->sample_fmt,
                             decoder->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&inLayout);
    av_channel_layout_uninit(&outLayout);
    ResamplerPtr swr(swrRaw);
    if (rc < 0 || swr_init(swr.get()) < 0) {
        error = path + ": its samples cannot be converted";
        return false;
    }

    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    std::vector<float> samples;
    int badPackets = 0, goodFrames = 0;
    auto receive = [&]() -> bool {
        for (;;) {
            const int r = avcodec_receive_frame(decoder.get(), frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) {
                return true;
            }
            if (r < 0) {
                ++badPackets;
                return true;
            }
            ++goodFrames;
            const bool ok = drain(swr.get(), frame.get(), channels, samples);
            av_frame_unref(frame.get());
            if (!ok) {
                return false;
            }
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream) {
            if (avcodec_send_packet(decoder.get(), packet.get()) < 0) {
                ++badPackets;
            } else if (!receive()) {
                error = path + ": its samples cannot be converted";
                return false;
            }
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    if (!receive() || !drain(swr.get(), nullptr, channels, samples)) {
        error = path + ": its samples cannot be converted";
        return false;
    }
    if (goodFrames == 0 || samples.empty()) {
        error = path + (badPackets ? ": its audio cannot be decoded" : ": holds no sound");
        return false;
    }
    out.rate = rate;
    out.channels = channels;
    out.samples = std::move(samples);
    return true;
}

// ---------------------------------------------------------------------------------------------
// [Cutting and mixing]
// ---------------------------------------------------------------------------------------------

std::vector<float> monoOf(const Pcm& pcm) {
    if (pcm.channels == 1) {
        return pcm.samples;
    }
    std::vector<float> mono(pcm.frames());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        float sum = 0;
        for (int c = 0; c < pcm.channels; ++c) {
            sum += pcm.samples[i * pcm.channels + c];
        }
        mono[i] = sum / static_cast<float>(pcm.channels);
    }
    return mono;
}

}  // namespace

bool decodeAudioFile(const std::string& path, Pcm& out, std::string& error) {
    return decode(path, 0, false, out, error);
}

bool decodeAudioFile(const std::string& path, int rate, Pcm& out, std::string& error) {
    return decode(path, rate, true, out, error);
}

Pcm cut(const Pcm& pcm, double beginSeconds, double endSeconds) {
    Pcm part;
    part.rate = pcm.rate;
    part.channels = pcm.channels;
    const auto frames = static_cast<double>(pcm.frames());
    const double first = std::clamp(std::round(beginSeconds * pcm.rate), 0.0, frames);
    const double last = endSeconds < 0 ? frames : std::clamp(std::round(endSeconds * pcm.rate), first, frames);
    const auto from = static_cast<std::size_t>(first) * pcm.channels;
    const auto to = static_cast<std::size_t>(last) * pcm.channels;
    part.samples.assign(pcm.samples.begin() + static_cast<std::ptrdiff_t>(from),
                        pcm.samples.begin() + static_cast<std::ptrdiff_t>(to));
    return part;
}

// ---------------------------------------------------------------------------------------------
// [MP3]
// ---------------------------------------------------------------------------------------------

bool encodeMp3(const Pcm& pcm, std::string& mp3, std::string& error) {
    mp3.clear();
    if (pcm.rate < 8000 || pcm.rate > 192000 || pcm.channels < 1 || pcm.frames() == 0) {
        error = "no sound to encode";
        return false;
    }
    std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
    if (!lame) {
        error = "the MP3 encoder cannot start";
        return false;
    }
    // Mono at 64 kbit/s keeps speech clear and a whole book's audio a few megabytes. Speech made
    // at 22 050 Hz stays there; faster recordings go down to 24 000 Hz. Below 64 kbit/s a frame at
    // these rates is too small to carry the Info tag, and without it every clip plays ~60 ms long.
    lame_set_in_samplerate(lame.get(), pcm.rate);
    lame_set_out_samplerate(lame.get(), pcm.rate <= 24000 ? pcm.rate : 24000);
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_brate(lame.get(), 64);
    lame_set_quality(lame.get(), 5);
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) < 0) {
        error = "the MP3 encoder refuses " + std::to_string(pcm.rate) + " Hz";
        return false;
    }
    const std::vector<float> mono = monoOf(pcm);
    constexpr int kChunk = 8192;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(kChunk * 5 / 4 + 7200));
    for (std::size_t at = 0; at < mono.size(); at += kChunk) {
        const int n = static_cast<int>(std::min<std::size_t>(kChunk, mono.size() - at));
        const int bytes = lame_encode_buffer_ieee_float(lame.get(), mono.data() + at, mono.data() + at, n,
                                                        buffer.data(), static_cast<int>(buffer.size()));
        if (bytes < 0) {
            error = "the MP3 encoder failed (" + std::to_string(bytes) + ")";
            return false;
        }
        mp3.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(bytes));
    }
    const int tail = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
    if (tail < 0) {
        error = "the MP3 encoder failed at the end";
        return false;
    }
    mp3.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(tail));
    // The first frame was written as a placeholder for the Info tag, which carries the encoder
    // delay and padding: without it a decoder plays some 50 ms more than was recorded.
    unsigned char tag[2880];
    const std::size_t tagBytes = lame_get_lametag_frame(lame.get(), tag, sizeof tag);
    if (tagBytes > 0 && tagBytes <= mp3.size()) {
        std::copy(tag, tag + tagBytes, mp3.begin());
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// [Writing other formats]
// ---------------------------------------------------------------------------------------------

namespace {

struct OutputCloser {
    void operator()(AVFormatContext* c) const {
        if (c->pb) {
            avio_closep(&c->pb);
        }
        avformat_free_context(c);
    }
};

int pickRate(const AVCodec* codec, int wanted) {
    if (!codec->supported_samplerates) {
        return wanted;
    }
    int best = 0;
    for (const int* r = codec->supported_samplerates; *r; ++r) {
        if (*r == wanted) {
            return wanted;
        }
        if (best == 0 || std::abs(*r - wanted) < std::abs(best - wanted)) {
            best = *r;
        }
    }
    return best;
}

// `pcm` at `rate`, channels kept.
Pcm resampled(const Pcm& pcm, int rate) {
    if (pcm.rate == rate) {
        return pcm;
    }
    Pcm out;
    AVChannelLayout layout;
    av_channel_layout_default(&layout, pcm.channels);
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &layout, AV_SAMPLE_FMT_FLT, rate, &layout, AV_SAMPLE_FMT_FLT, pcm.rate,
                                       0, nullptr);
    av_channel_layout_uninit(&layout);
    ResamplerPtr swr(raw);
    if (rc < 0 || swr_init(swr.get()) < 0) {
        return out;
    }
    FramePtr frame(av_frame_alloc());
    frame->nb_samples = static_cast<int>(pcm.frames());
    frame->extended_data = frame->data;
    frame->data[0] = reinterpret_cast<uint8_t*>(const_cast<float*>(pcm.samples.data()));
    std::vector<float> samples;
    if (!drain(swr.get(), frame.get(), pcm.channels, samples) || !drain(swr.get(), nullptr, pcm.channels, samples)) {
        return out;
    }
    frame->data[0] = nullptr;
    out.rate = rate;
    out.channels = pcm.channels;
    out.samples = std::move(samples);
    return out;
}

bool encodeWith(const std::string& path, const std::string& temporary, const Pcm& pcm, std::string& error) {
    AVFormatContext* rawOut = nullptr;
    if (avformat_alloc_output_context2(&rawOut, nullptr, nullptr, path.c_str()) < 0 || !rawOut) {
        error = path + ": unknown sound format (use .wav, .m4a, .ogg, .flac or .mp3)";
        return false;
    }
    std::unique_ptr<AVFormatContext, OutputCloser> out(rawOut);
    const std::string ext = std::filesystem::path(path).extension().string();
    const AVCodec* codec = nullptr;
    if (ext == ".ogg" || ext == ".oga") {
        codec = avcodec_find_encoder_by_name("libvorbis");
        if (!codec) {
            codec = avcodec_find_encoder(AV_CODEC_ID_VORBIS);
        }
    } else {
        codec = avcodec_find_encoder(out->oformat->audio_codec);
    }
    if (!codec) {
        error = path + ": no encoder for this format";
        return false;
    }
    CodecPtr encoder(avcodec_alloc_context3(codec));
    encoder->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    encoder->sample_rate = pickRate(codec, pcm.rate);
    av_channel_layout_default(&encoder->ch_layout, pcm.channels);
    if (codec->id == AV_CODEC_ID_VORBIS) {
        // Vorbis allows only some bit rates for each rate and channel count; a quality always fits.
        encoder->flags |= AV_CODEC_FLAG_QSCALE;
        encoder->global_quality = 5 * FF_QP2LAMBDA;
    } else {
        encoder->bit_rate = 96000;
    }
    encoder->time_base = AVRational{1, encoder->sample_rate};
    encoder->strict_std_compliance = FF_COMPLIANCE_EXPERIMENTAL;
    if (out->oformat->flags & AVFMT_GLOBALHEADER) {
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    int rc = avcodec_open2(encoder.get(), codec, nullptr);
    if (rc < 0) {
        error = path + ": the encoder cannot start (" + averror(rc) + ")";
        return false;
    }
    AVStream* stream = avformat_new_stream(out.get(), nullptr);
    if (!stream || avcodec_parameters_from_context(stream->codecpar, encoder.get()) < 0) {
        error = path + ": cannot add the audio stream";
        return false;
    }
    stream->time_base = encoder->time_base;
    if ((rc = avio_open(&out->pb, temporary.c_str(), AVIO_FLAG_WRITE)) < 0) {
        error = temporary + ": cannot be written (" + averror(rc) + ")";
        return false;
    }
    if ((rc = avformat_write_header(out.get(), nullptr)) < 0) {
        error = path + ": cannot write the header (" + averror(rc) + ")";
        return false;
    }

    // First to the encoder's rate (still interleaved floats), then frame by frame to its sample
    // format: a conversion at one rate keeps nothing back, so every frame comes out whole.
    const Pcm source = resampled(pcm, encoder->sample_rate);
    AVChannelLayout layout;
    av_channel_layout_default(&layout, pcm.channels);
    SwrContext* swrRaw = nullptr;
    rc = swr_alloc_set_opts2(&swrRaw, &encoder->ch_layout, encoder->sample_fmt, encoder->sample_rate, &layout,
                             AV_SAMPLE_FMT_FLT, encoder->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&layout);
    ResamplerPtr swr(swrRaw);
    if (rc < 0 || swr_init(swr.get()) < 0 || source.frames() == 0) {
        error = path + ": cannot convert the samples";
        return false;
    }

    PacketPtr packet(av_packet_alloc());
    auto writePackets = [&]() -> bool {
        for (;;) {
            const int r = avcodec_receive_packet(encoder.get(), packet.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) {
                return true;
            }
            if (r < 0) {
                return false;
            }
            av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(out.get(), packet.get()) < 0) {
                return false;
            }
        }
    };

    const std::size_t frameSize = encoder->frame_size > 0 ? static_cast<std::size_t>(encoder->frame_size) : 1024;
    FramePtr frame(av_frame_alloc());
    for (std::size_t at = 0; at < source.frames(); at += frameSize) {
        const int n = static_cast<int>(std::min(frameSize, source.frames() - at));
        frame->nb_samples = n;
        frame->format = encoder->sample_fmt;
        frame->sample_rate = encoder->sample_rate;
        if (av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout) < 0 ||
            av_frame_get_buffer(frame.get(), 0) < 0) {
            error = path + ": out of memory";
            return false;
        }
        const uint8_t* in = reinterpret_cast<const uint8_t*>(source.samples.data() + at * source.channels);
        const bool converted = swr_convert(swr.get(), frame->extended_data, n, &in, n) == n;
        frame->pts = static_cast<int64_t>(at);
        const bool sent = converted && avcodec_send_frame(encoder.get(), frame.get()) >= 0;
        av_frame_unref(frame.get());
        if (!sent || !writePackets()) {
            error = path + ": encoding failed";
            return false;
        }
    }
    avcodec_send_frame(encoder.get(), nullptr);
    if (!writePackets() || av_write_trailer(out.get()) < 0) {
        error = path + ": encoding failed at the end";
        return false;
    }
    return true;
}

}  // namespace

bool writeAudioFile(const std::string& path, const Pcm& pcm, std::string& error) {
    quietLibraries();
    if (pcm.rate <= 0 || pcm.channels < 1 || pcm.frames() == 0) {
        error = path + ": no sound to write";
        return false;
    }
    // Written beside the target and renamed into place, so a failure leaves no half file.
    const std::string temporary = path + ".part";
    bool ok = false;
    if (std::filesystem::path(path).extension() == ".mp3") {
        std::string mp3;
        ok = encodeMp3(pcm, mp3, error);
        if (ok) {
            std::FILE* f = std::fopen(temporary.c_str(), "wb");
            ok = f && std::fwrite(mp3.data(), 1, mp3.size(), f) == mp3.size();
            ok = (f && std::fclose(f) == 0) && ok;
            if (!ok) {
                error = temporary + ": cannot be written";
            }
        }
    } else {
        ok = encodeWith(path, temporary, pcm, error);
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temporary, path, ec);
        if (ec) {
            error = path + ": cannot be written (" + ec.message() + ")";
            ok = false;
        }
    }
    if (!ok) {
        std::filesystem::remove(temporary, ec);
    }
    return ok;
}

}  // namespace bookkit
