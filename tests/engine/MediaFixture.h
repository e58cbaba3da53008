// Small recordings made at test time with the ffmpeg command-line tool, shared
// by the engine tests, plus a render target and message sink that record what
// the library does.
#pragma once

#include "kvplay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kvtest {

// Generated once per test program in a temporary folder removed at exit.
struct Media {
    std::string dir;
    std::string mp4;     // H.264 + AAC, 2 s, GOP 25, creation_time 2024-05-06T07:08:09Z, named .rf
    std::string avi;     // MJPEG + PCM, 2 s, named .lf
    std::string ts;      // MPEG-TS H.264 + MP2, 2 s, named .UAF
    std::string raw264;  // raw H.264 elementary stream, 2 s, named .Qzip
    std::string mkvTags; // Matroska with recorder tags
    std::string audioOnly; // G.711 A-law in WAV, 2 s, named .rf
    std::string halves;    // 320x240, left half blue, right half red, 1 s
    std::string missing;
    std::string empty;
    std::string garbage;
    std::string noMoov;  // MP4 cut before its index
};

const Media& media();
// Runs ffmpeg with the arguments (no shell quoting needed for our own paths).
bool runFfmpeg(const std::string& args);
// The creation_time of media().mp4, us since 1970.
constexpr uint64_t kMp4CreationUs = 1714979289ULL * 1000000ULL;
constexpr int64_t kFrameUs = 40000;
constexpr int64_t kDurationUs = 2000000;

// A render target that counts presents and keeps the last size.
class TestTarget {
public:
    TestTarget(int width, int height);
    const KvRenderTarget* target() const { return &target_; }
    void setSize(int width, int height);
    int presents() const;
    int lastWidth() const;
    int lastHeight() const;
    // First pixel of the last present, BGRA.
    uint32_t lastPixel(int x, int y) const;
    bool waitPresents(int count, std::chrono::milliseconds timeout) const;

private:
    static void present(void* user, const uint8_t* bgra, int32_t w, int32_t h, int32_t stride);
    static void size(void* user, int32_t* w, int32_t* h);

    KvRenderTarget target_{};
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    int width_;
    int height_;
    int presents_ = 0;
    int lastW_ = 0;
    int lastH_ = 0;
    std::vector<uint8_t> last_;
};

// Counts messages; waits for a given one.
class MessageSink {
public:
    static void callback(int32_t message, void* context);
    int count(int32_t message) const;
    bool wait(int32_t message, int times, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    int endOfFile_ = 0;
    int other_ = 0;
};

// Polls cond until true or the timeout passes.
bool waitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout);

// Initialises the library for each test and deinitialises after it.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates an instance and opens path; fails the test if that fails.
    uint32_t openFile(const std::string& path);
};

} // namespace kvtest
