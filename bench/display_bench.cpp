// Speed of the display pipeline against the memory traffic of the job: a
// plain pass that reads 16 bytes and writes 4 bytes per pixel, measured in
// the same run. Ends with one "RATIO <case> <time / baseline>" line per case.
#include <benchmark/benchmark.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "display/caption.h"
#include "display/difference.h"
#include "display/hot_pixels.h"
#include "display/level_spans.h"
#include "display/levels.h"
#include "display/reduced_bitmap.h"
#include "image/slots.h"
#include "output/iff_writer.h"
#include "zrhost/patterns.h"

namespace {

struct Size {
    int width;
    int height;
    const char* name;
};
const Size SIZES[] = {{1920, 1080, "1920x1080"}, {3840, 2160, "3840x2160"}};

// Something like a render: gradients, a bright highlight above 1, a little
// noise in every pixel (so runs of equal colour do not flatter the hot test).
Image* renderLikeImage(int w, int h)
{
    Image* image = newImage(w, h, 1, 0);
    uint32_t seed = 12345;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            size_t i = size_t(y) * w + x;
            seed = seed * 1664525u + 1013904223u;
            float noise = float(seed >> 9) / float(1 << 23) * 0.02f;
            float u = float(x) / w, v = float(y) / h;
            float dx = u - 0.6f, dy = v - 0.4f;
            float light = 1.3f * expf(-(dx * dx + dy * dy) * 12.0f);
            image->red[i] = 0.2f + 0.6f * u + light + noise;
            image->green[i] = 0.3f + 0.4f * v + light * 0.8f + noise;
            image->blue[i] = 0.8f - 0.5f * v + light * 0.5f + noise;
            image->alpha[i] = v < 0.1f ? 0.0f : 1.0f;
        }
    return image;
}

struct Fixture {
    View* view = nullptr;
    Image* reference = nullptr;  // the same render with its light a little dimmer
    int width = 0, height = 0;
    std::vector<uint32_t> out;

    void prepare(const Size& s)
    {
        if (view && width == s.width) return;
        freeView(view);
        freeImage(reference);
        view = newView(renderLikeImage(s.width, s.height));
        reference = renderLikeImage(s.width, s.height);
        for (size_t i = 0; i < size_t(s.width) * s.height; i++) reference->red[i] *= 0.98f;
        view->hot = {0, 7.5f, 110.0f, 50.0f};
        width = s.width;
        height = s.height;
        out.assign(size_t(s.width) * s.height, 0);
        rebuildDisplay(view);
    }
};
Fixture g_fixture;

// The frame the stand-in host sends in the ingest timing, rebuilt natively.
void rebuildSpheres(benchmark::State& state, const Size* s)
{
    Frame frame;
    std::string error;
    renderPattern("spheres", s->width, s->height, 0, &frame, &error);
    Image* image = newImage(s->width, s->height, 1, 0);
    for (int y = 0; y < s->height; y++)
        storeImageRow(image, y, &frame.red[size_t(y) * s->width], &frame.green[size_t(y) * s->width],
                      &frame.blue[size_t(y) * s->width], &frame.alpha[size_t(y) * s->width]);
    View* view = newView(image);
    view->hot = {0, 7.5f, 110.0f, 50.0f};
    for (auto _ : state) {
        rebuildDisplay(view);
        benchmark::ClobberMemory();
    }
    freeView(view);
}

// The host's row writes of one frame into a new image, whose pages are
// touched for the first time, and into the channels of the frame it
// replaces, as a render of equal frames does: with ten slots full that
// frame is ten frames old, its memory long out of the caches.
enum RowTarget { NEW_PAGES, REUSED_COLD };

// A frame as the host sends it: a new image (the recycled one when there is
// one of its size) and a write for each row.
Image* sendFrame(const Frame& frame)
{
    Image* image = newImage(frame.width, frame.height, 1, 0);
    for (int y = 0; y < frame.height; y++) {
        size_t at = size_t(y) * frame.width;
        storeImageRow(image, y, &frame.red[at], &frame.green[at], &frame.blue[at], &frame.alpha[at]);
    }
    benchmark::ClobberMemory();
    return image;
}

template <RowTarget Target>
void storeRows(benchmark::State& state, const Size* s)
{
    Frame frame;
    std::string error;
    renderPattern("spheres", s->width, s->height, 0, &frame, &error);
    releaseRecycledImage();
    auto send = [&] { return sendFrame(frame); };
    Image* slots[10] = {};
    if (Target == REUSED_COLD)
        for (Image*& slot : slots) slot = send();  // the slots full, as after ten frames
    int next = 0;
    for (auto _ : state) {
        Image* image = send();
        if (Target == NEW_PAGES) {
            freeImage(image);
            continue;
        }
        recycleImage(slots[next]);  // the oldest leaves for the next frame
        slots[next] = image;
        next = (next + 1) % 10;
    }
    for (Image* image : slots) freeImage(image);
    releaseRecycledImage();
}

// The rebuild as the viewer meets a new frame: its floats written a moment
// ago by the host's rows (mostly out of the cache again), into the bitmaps
// of the view it replaces. Only the rebuild is timed.
void rebuildCold(benchmark::State& state, const Size* s)
{
    Frame frame;
    std::string error;
    renderPattern("spheres", s->width, s->height, 0, &frame, &error);
    releaseRecycledImage();
    auto send = [&] { return sendFrame(frame); };
    View* views[10] = {};
    for (View*& view : views) {
        view = newView(send());
        rebuildDisplay(view);
    }
    int next = 0;
    for (auto _ : state) {
        Image* image = send();
        View* view = views[next];
        recycleImage(view->image);
        view->image = image;
        auto start = std::chrono::steady_clock::now();
        rebuildDisplay(view);
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        next = (next + 1) % 10;
    }
    for (View* view : views) freeView(view);
    releaseRecycledImage();
}

// The colour bitmap as a binary PPM, top row first: the same pixels for
// netpbm's encoder, which make bench times beside ours.
void writePpm(const char* path, const DisplayBitmap* b)
{
    FILE* f = fopen(path, "wb");
    if (!f) return;
    fprintf(f, "P6\n%d %d\n255\n", b->width, b->height);
    std::vector<uint8_t> rgb(size_t(b->width) * 3);
    for (int y = 0; y < b->height; y++) {
        const uint8_t* row = bitmapRow(b, y);
        for (int x = 0; x < b->width; x++)
            for (int c = 0; c < 3; c++) rgb[size_t(3 * x + c)] = row[3 * x + 2 - c];
        fwrite(rgb.data(), 1, rgb.size(), f);
    }
    fclose(f);
}

// The IFF writer on the rebuilt colour bitmap, into a sink that only
// counts: the encoding, not the disk.
void iffEncode(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    const DisplayBitmap* b = g_fixture.view->colour;
    const char* ppm = getenv("ZR_IFF_PPM");
    if (ppm && s->width == 1920) writePpm(ppm, b);
    long written = 0;
    ByteSink sink = {&written,
                     [](void* c, const void*, size_t n) {
                         *static_cast<long*>(c) += long(n);
                         return 1;
                     },
                     [](void* c) { return *static_cast<long*>(c); }, [](void*, long) { return 1; }};
    for (auto _ : state) {
        written = 0;
        benchmark::DoNotOptimize(writeIffTo(&sink, b->pixels, b->width, b->height, b->stride, 3, nullptr));
    }
    state.counters["bytes"] = double(written);
}

void baseline(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    const Image* im = g_fixture.view->image;
    size_t n = size_t(im->width) * im->height;
    const uint32_t* r = reinterpret_cast<const uint32_t*>(im->red);
    const uint32_t* g = reinterpret_cast<const uint32_t*>(im->green);
    const uint32_t* b = reinterpret_cast<const uint32_t*>(im->blue);
    const uint32_t* a = reinterpret_cast<const uint32_t*>(im->alpha);
    uint32_t* out = g_fixture.out.data();
    for (auto _ : state) {
        for (size_t i = 0; i < n; i++) out[i] = r[i] ^ g[i] ^ b[i] ^ a[i];
        benchmark::ClobberMemory();
    }
}

// The memory traffic of comparing two images: both images' four planes read
// (32 bytes a pixel), 4 bytes a pixel written.
void baselinePair(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    const Image* a = g_fixture.view->image;
    const Image* b = g_fixture.reference;
    size_t n = size_t(a->width) * a->height;
    const uint32_t* planes[8] = {
        reinterpret_cast<const uint32_t*>(a->red),  reinterpret_cast<const uint32_t*>(a->green),
        reinterpret_cast<const uint32_t*>(a->blue), reinterpret_cast<const uint32_t*>(a->alpha),
        reinterpret_cast<const uint32_t*>(b->red),  reinterpret_cast<const uint32_t*>(b->green),
        reinterpret_cast<const uint32_t*>(b->blue), reinterpret_cast<const uint32_t*>(b->alpha)};
    uint32_t* out = g_fixture.out.data();
    for (auto _ : state) {
        for (size_t i = 0; i < n; i++)
            out[i] = planes[0][i] ^ planes[1][i] ^ planes[2][i] ^ planes[3][i] ^ planes[4][i] ^ planes[5][i] ^
                     planes[6][i] ^ planes[7][i];
        benchmark::ClobberMemory();
    }
}

// The difference view's colour, alpha and hot mask from the two images.
void difference(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    DifferenceDisplay display = {};
    for (auto _ : state) {
        buildDifference(g_fixture.view, g_fixture.reference, &display);
        benchmark::ClobberMemory();
    }
    freeDifference(&display);
}

void rebuild(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    for (auto _ : state) {
        rebuildDisplay(g_fixture.view);
        benchmark::ClobberMemory();
    }
}

void rebuildWithLevels(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    g_fixture.view->image->black = 0.05f;
    g_fixture.view->image->white = 0.9f;
    for (auto _ : state) {
        rebuildDisplay(g_fixture.view);
        benchmark::ClobberMemory();
    }
    g_fixture.view->image->black = 0.0f;
    g_fixture.view->image->white = 1.0f;
}

void colour(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    for (auto _ : state) {
        convertColour(g_fixture.view->image, g_fixture.view->colour);
        benchmark::ClobberMemory();
    }
}

// The same conversions held to the SSE2 path, for the comparison on a
// processor that takes AVX2.
template <void (*Case)(benchmark::State&, const Size*)>
void onSse2(benchmark::State& state, const Size* s)
{
    const VectorPath chosen = activeVectorPath();
    useVectorPath(VECTOR_SSE2);
    Case(state, s);
    useVectorPath(chosen);
}

void alpha(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    for (auto _ : state) {
        convertAlpha(g_fixture.view->image, g_fixture.view->alpha);
        benchmark::ClobberMemory();
    }
}

void hotMask(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    for (auto _ : state) {
        buildHotMask(g_fixture.view);
        benchmark::ClobberMemory();
    }
}

void captionRect(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    for (auto _ : state) {
        updateDisplayRect(g_fixture.view, s->width / 3, s->height / 2, 300, 40);
        benchmark::ClobberMemory();
    }
}

// A 40-character caption in 24-pixel Arial with its shadow: about 480 × 28
// pixels of coverage (strokes, their anti-aliased edges, gaps), stamped
// with its undo region and re-converted, against the whole frame's rebuild.
void caption(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    TextBitmap text;
    if (!allocateTextBitmap(&text, 480, 28, 22)) {
        state.SkipWithError("no coverage bitmap");
        return;
    }
    for (int j = 0; j < text.height; j++)
        for (int i = 0; i < text.width; i++)
            text.coverage[size_t(j) * text.stride + i] = uint8_t((i % 12 < 3 ? 255 : i % 12 < 5 ? 128 : 0) * (j > 4));
    TextOptions options = settingsRecord()->text;
    options.anchorX = s->width / 3;
    options.baselineY = s->height / 2;
    options.shadowEnabled = 1;
    options.shadowDx = options.shadowDy = 2;
    for (auto _ : state) {
        stampCaption(&text, &options, g_fixture.view);
        benchmark::ClobberMemory();
    }
    freeTextBitmap(&text);
}

// What a full repaint at 1/2 draws besides the blit: the reduced colour
// bitmap and hot mask of a pane of up to 1600 × 1100 screen pixels, each
// group shown by its top-left pixel, by its largest values (the difference
// view) or by its first hot pixel (the hot view).
template <int RULE>
void reducedPane(benchmark::State& state, const Size* s)
{
    g_fixture.prepare(*s);
    const View* v = g_fixture.view;
    int w = s->width / 2 < 1600 ? s->width / 2 : 1600, h = s->height / 2 < 1100 ? s->height / 2 : 1100;
    const ReduceRule rules[3] = {{false, nullptr}, {true, nullptr}, {false, v->hotMask}};
    for (auto _ : state) {
        DisplayBitmap* colour = reduceBitmap(v->colour, 0, 0, 2, w, h, rules[RULE]);
        DisplayBitmap* mask = reduceBitmap(v->hotMask, 0, 0, 2, w, h, rules[RULE]);
        benchmark::DoNotOptimize(colour->pixels);
        freeDisplayBitmap(colour);
        freeDisplayBitmap(mask);
    }
}

// Remembers each case's time per iteration for the ratio lines: the
// fastest of its repetitions, since on a shared machine what slows a run
// down is somebody else's work.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min") {
                std::string name = run.benchmark_name();
                name = name.substr(0, name.find('/'));
                double t = run.GetAdjustedRealTime();
                if (!times.count(name) || t < times[name]) times[name] = t;
            }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    struct Case {
        const char* name;
        void (*fn)(benchmark::State&, const Size*);
    } cases[] = {{"baseline", baseline},       {"rebuild", rebuild},   {"rebuild_levels", rebuildWithLevels},
                 {"convertColour", colour},    {"convertAlpha", alpha}, {"buildHotMask", hotMask},
                 {"updateDisplayRect_300x40", captionRect}, {"reducedPane_half", reducedPane<0>},
                 {"reducedPane_half_largest", reducedPane<1>}, {"reducedPane_half_hot", reducedPane<2>},
                 {"rebuild_spheres", rebuildSpheres}, {"iff_encode", iffEncode}, {"caption", caption},
                 {"convertColour_sse2", onSse2<colour>}, {"rebuild_levels_sse2", onSse2<rebuildWithLevels>},
                 {"rows_new", storeRows<NEW_PAGES>}, {"rows_reused", storeRows<REUSED_COLD>},
                 {"rebuild_cold", rebuildCold}, {"baseline_pair", baselinePair}, {"difference", difference}};
    printf("VECTOR PATH %s\n", activeVectorPath() == VECTOR_AVX2 ? "AVX2" : "SSE2");
    for (const Size& s : SIZES)
        for (const Case& c : cases) {
            auto* b = benchmark::RegisterBenchmark((std::string(c.name) + "_" + s.name).c_str(), c.fn, &s)
                          ->Unit(benchmark::kMillisecond)
                          ->ComputeStatistics("min", [](const std::vector<double>& v) {
                              return *std::min_element(v.begin(), v.end());
                          });
            if (c.fn == rebuildCold)
                b->UseManualTime();
            else
                b->UseRealTime();
        }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& t : reporter.times) printf("TIME %s %.4f\n", t.first.c_str(), t.second);
    for (const Size& s : SIZES) {
        double base = reporter.times[std::string("baseline_") + s.name];
        if (base <= 0) continue;
        for (const Case& c : cases) {
            if (c.fn == baseline || c.fn == rebuildSpheres || c.fn == iffEncode || c.fn == caption ||
                c.fn == baselinePair || c.fn == difference)
                continue;
            std::string name = std::string(c.name) + "_" + s.name;
            if (reporter.times.count(name)) printf("RATIO %s %.2f\n", name.c_str(), reporter.times[name] / base);
        }
    }
    // The difference and hot views' reduced pictures against the plain one.
    for (const Size& s : SIZES)
        for (const char* rule : {"largest", "hot"}) {
            std::string name = std::string("reducedPane_half_") + rule + "_" + s.name,
                        plain = std::string("reducedPane_half_") + s.name;
            if (reporter.times.count(name) && reporter.times[plain] > 0)
                printf("RATIO %s_vs_plain %.2f\n", name.c_str(), reporter.times[name] / reporter.times[plain]);
        }
    // Comparing reads both images: against the pass over both.
    for (const Size& s : SIZES) {
        std::string name = std::string("difference_") + s.name, pair = std::string("baseline_pair_") + s.name;
        if (reporter.times.count(name) && reporter.times[pair] > 0)
            printf("RATIO %s %.2f\n", name.c_str(), reporter.times[name] / reporter.times[pair]);
    }
    // A caption costs its rectangle, not the frame: against the same frame's
    // full rebuild in this run.
    for (const Size& s : SIZES) {
        std::string name = std::string("caption_") + s.name, full = std::string("rebuild_") + s.name;
        if (reporter.times.count(name) && reporter.times[full] > 0)
            printf("RATIO %s %.3f\n", name.c_str(), reporter.times[name] / reporter.times[full]);
    }
    freeView(g_fixture.view);
    freeImage(g_fixture.reference);
    benchmark::Shutdown();
    return 0;
}
