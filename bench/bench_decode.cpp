// bench_decode FILE W H [deinterlace]
// Decoding plus scaling one stream as fast as it goes, with the library's
// own classes (demuxer, decoder opened as for playback with 2 threads,
// scaler to W x H BGRA), against `ffmpeg -threads 2 -i F -vf scale=W:H
// -pix_fmt bgra -f null -`. Also keyframe-only decoding against
// `ffmpeg -skip_frame nokey`. Ratios > 1 mean we are faster. With
// "deinterlace", instead: the same decoding with and without the library's
// deinterlacer before the scaler, and ffmpeg with and without bwdif, so that
// the cost of deinterlacing reads as a ratio of plain decoding on each side.
#include "BenchUtil.h"
#include "Codecs.h"
#include "Deinterlacer.h"
#include "Demuxer.h"
#include "MediaSource.h"
#include "Scaler.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

enum class Pass { All, KeyOnly, Deinterlaced };

// Frames decoded; -1 when the file cannot be opened.
long decodeAll(const std::string& file, int w, int h, Pass pass)
{
    int err = 0;
    auto src = kvplay::MediaSource::openFile(file, kvplay::OpenLimits{}, err);
    if (!src || !src->videoStream())
        return -1;
    kvplay::CodecPtr ctx = kvplay::openDecoder(*src->videoStream(), 2, kvplay::OpenLimits{}.maxPixels);
    if (!ctx)
        return -1;
    const bool keyOnly = pass == Pass::KeyOnly;
    if (keyOnly)
        ctx->skip_frame = AVDISCARD_NONKEY;
    std::unique_ptr<kvplay::Deinterlacer> deinterlacer;
    if (pass == Pass::Deinterlaced)
        deinterlacer = std::make_unique<kvplay::Deinterlacer>(src->videoStream()->time_base);
    kvplay::Demuxer demux(*src, nullptr, nullptr);
    kvplay::Scaler scaler;
    kvplay::PacketPtr pkt;
    std::vector<kvplay::FramePtr> ready;
    long frames = 0;
    bool more = true;
    while (more) {
        more = demux.read(pkt) == 0;
        if (more && (pkt->stream_index != src->videoIndex() || (keyOnly && !(pkt->flags & AV_PKT_FLAG_KEY))))
            continue;
        avcodec_send_packet(ctx.get(), more ? pkt.get() : nullptr);
        for (kvplay::FramePtr frame = kvplay::makeFrame(); avcodec_receive_frame(ctx.get(), frame.get()) == 0;
             frame = kvplay::makeFrame()) {
            frame->pts = frame->best_effort_timestamp;
            if (deinterlacer)
                deinterlacer->push(std::move(frame), ready);
            else
                ready.push_back(std::move(frame));
        }
        if (!more && deinterlacer)
            deinterlacer->flush(ready);
        for (const kvplay::FramePtr& picture : ready)
            scaler.scale(*picture, w, h, kvplay::ViewSettings{});
        frames += static_cast<long>(ready.size());
        ready.clear();
    }
    return frames;
}

struct Run {
    long frames = 0;
    double wallS = 0;
    double cpuS = 0;
};

Run ours(const std::string& file, int w, int h, Pass pass)
{
    const double t0 = bench::nowS();
    const double c0 = bench::selfCpuS();
    Run run;
    run.frames = decodeAll(file, w, h, pass);
    run.wallS = bench::nowS() - t0;
    run.cpuS = bench::selfCpuS() - c0;
    return run;
}

bench::Cost ffmpeg(const std::string& file, const std::string& filters, bool keyOnly)
{
    std::vector<std::string> cmd{"ffmpeg", "-nostdin", "-threads", "2"};
    if (keyOnly)
        cmd.insert(cmd.end(), {"-skip_frame", "nokey"});
    cmd.insert(cmd.end(), {"-i", file, "-an", "-vf", filters, "-pix_fmt", "bgra", "-f", "null", "-"});
    return bench::runCopies(cmd, 1);
}

int deinterlaceCost(const std::string& file, int w, int h, const std::string& size)
{
    const Run plain = ours(file, w, h, Pass::All);
    const Run deinterlaced = ours(file, w, h, Pass::Deinterlaced);
    const bench::Cost ffPlain = ffmpeg(file, size, false);
    const bench::Cost ffDeinterlaced = ffmpeg(file, "bwdif=mode=send_frame:deint=interlaced," + size, false);
    std::printf("deinterlace: %s at %dx%d, %ld frames, %ld through the deinterlacer\n", file.c_str(), w, h, plain.frames,
                deinterlaced.frames);
    std::printf("  kvplay   plain cpu %.2f s, deinterlaced cpu %.2f s, ratio %.2f\n", plain.cpuS, deinterlaced.cpuS,
                plain.cpuS > 0 ? deinterlaced.cpuS / plain.cpuS : 0.0);
    std::printf("  ffmpeg   plain cpu %.2f s, bwdif cpu %.2f s, ratio %.2f\n", ffPlain.cpuS, ffDeinterlaced.cpuS,
                ffPlain.cpuS > 0 ? ffDeinterlaced.cpuS / ffPlain.cpuS : 0.0);
    return plain.frames > 0 && deinterlaced.frames > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_decode FILE W H [deinterlace]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int w = std::atoi(argv[2]);
    const int h = std::atoi(argv[3]);
    const std::string size = "scale=" + std::to_string(w) + ":" + std::to_string(h);
    if (argc > 4 && std::string(argv[4]) == "deinterlace")
        return deinterlaceCost(file, w, h, size);
    for (const bool keyOnly : {false, true}) {
        const Run run = ours(file, w, h, keyOnly ? Pass::KeyOnly : Pass::All);
        const bench::Cost ff = ffmpeg(file, size, keyOnly);
        std::printf("%s: %s at %dx%d, %ld frames\n", keyOnly ? "keyframes" : "decode+scale", file.c_str(), w, h,
                    run.frames);
        std::printf("  kvplay   wall %.2f s, cpu %.2f s\n", run.wallS, run.cpuS);
        std::printf("  ffmpeg   wall %.2f s, cpu %.2f s\n", ff.wallS, ff.cpuS);
        std::printf("  ratio    ffmpeg/kvplay wall = %.2f\n", run.wallS > 0 ? ff.wallS / run.wallS : 0.0);
    }
    return 0;
}
