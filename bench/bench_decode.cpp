// bench_decode FILE W H [LABEL]
// Decoding plus scaling one stream as fast as it goes, with the library's
// own classes (demuxer, decoder opened as for playback with 2 threads,
// scaler to W x H BGRA), against `ffmpeg -threads 2 -i F -vf scale=W:H
// -pix_fmt bgra -f null -`. Also keyframe-only decoding against
// `ffmpeg -skip_frame nokey`. Ratios > 1 mean we are faster.
#include "BenchUtil.h"
#include "Codecs.h"
#include "Demuxer.h"
#include "MediaSource.h"
#include "Scaler.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Frames decoded; -1 when the file cannot be opened.
long decodeAll(const std::string& file, int w, int h, bool keyOnly)
{
    int err = 0;
    auto src = kvplay::MediaSource::openFile(file, kvplay::OpenLimits{}, err);
    if (!src || !src->videoStream())
        return -1;
    kvplay::CodecPtr ctx = kvplay::openDecoder(*src->videoStream(), 2, kvplay::OpenLimits{}.maxPixels);
    if (!ctx)
        return -1;
    if (keyOnly)
        ctx->skip_frame = AVDISCARD_NONKEY;
    kvplay::Demuxer demux(*src, nullptr, nullptr);
    kvplay::Scaler scaler;
    kvplay::FramePtr frame = kvplay::makeFrame();
    kvplay::PacketPtr pkt;
    long frames = 0;
    bool more = true;
    while (more) {
        more = demux.read(pkt) == 0;
        if (more && (pkt->stream_index != src->videoIndex() || (keyOnly && !(pkt->flags & AV_PKT_FLAG_KEY))))
            continue;
        avcodec_send_packet(ctx.get(), more ? pkt.get() : nullptr);
        while (avcodec_receive_frame(ctx.get(), frame.get()) == 0) {
            scaler.scale(*frame, w, h, kvplay::ViewSettings{});
            ++frames;
        }
    }
    return frames;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_decode FILE W H\n");
        return 2;
    }
    const std::string file = argv[1];
    const int w = std::atoi(argv[2]);
    const int h = std::atoi(argv[3]);
    const std::string size = "scale=" + std::to_string(w) + ":" + std::to_string(h);
    for (const bool keyOnly : {false, true}) {
        const double t0 = bench::nowS();
        const double c0 = bench::selfCpuS();
        const long frames = decodeAll(file, w, h, keyOnly);
        const double ours = bench::nowS() - t0;
        const double oursCpu = bench::selfCpuS() - c0;
        std::vector<std::string> cmd{"ffmpeg", "-nostdin", "-threads", "2"};
        if (keyOnly)
            cmd.insert(cmd.end(), {"-skip_frame", "nokey"});
        cmd.insert(cmd.end(), {"-i", file, "-an", "-vf", size, "-pix_fmt", "bgra", "-f", "null", "-"});
        const bench::Cost ff = bench::runCopies(cmd, 1);
        std::printf("%s: %s at %dx%d, %ld frames\n", keyOnly ? "keyframes" : "decode+scale", file.c_str(), w, h,
                    frames);
        std::printf("  kvplay   wall %.2f s, cpu %.2f s\n", ours, oursCpu);
        std::printf("  ffmpeg   wall %.2f s, cpu %.2f s\n", ff.wallS, ff.cpuS);
        std::printf("  ratio    ffmpeg/kvplay wall = %.2f\n", ours > 0 ? ff.wallS / ours : 0.0);
    }
    return 0;
}
