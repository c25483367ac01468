#include "zrhost/patterns.h"

#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

namespace {

struct Rgb {
    float r, g, b;
};

void allocate(Frame* f, int width, int height)
{
    size_t n = size_t(width) * size_t(height);
    f->width = width;
    f->height = height;
    f->red.assign(n, 0.0f);
    f->green.assign(n, 0.0f);
    f->blue.assign(n, 0.0f);
    f->alpha.assign(n, 1.0f);
}

void put(Frame* f, int x, int y, Rgb c, float a = 1.0f)
{
    size_t i = size_t(y) * f->width + x;
    f->red[i] = c.r;
    f->green[i] = c.g;
    f->blue[i] = c.b;
    f->alpha[i] = a;
}

// Full-amplitude bars (100% red and green are beyond the NTSC chroma limit,
// yellow beyond the composite limit), then a strip of legal 75% bars and a
// super-white patch.
void bars(Frame* f, int frameIndex)
{
    const Rgb full[8] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0}, {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}};
    for (int y = 0; y < f->height; y++)
        for (int x = 0; x < f->width; x++) {
            int bar = x * 8 / f->width;
            Rgb c = full[bar];
            if (y >= f->height * 2 / 3) {
                float k = 0.75f;
                c = {c.r * k, c.g * k, c.b * k};
                if (y >= f->height * 5 / 6) {
                    float ramp = float(x) / float(f->width > 1 ? f->width - 1 : 1);
                    c = {ramp, ramp, ramp};
                    if (bar == (frameIndex % 8)) c = {1.2f, 1.2f, 1.2f};  // super-white moves along
                }
            }
            put(f, x, y, c, float(x) / f->width);
        }
}

// Red, green, blue and grey ramps in four bands.
void ramps(Frame* f, int frameIndex)
{
    for (int y = 0; y < f->height; y++)
        for (int x = 0; x < f->width; x++) {
            float t = float(x) / float(f->width > 1 ? f->width - 1 : 1);
            int band = y * 4 / f->height;
            Rgb c = band == 0 ? Rgb{t, 0, 0} : band == 1 ? Rgb{0, t, 0} : band == 2 ? Rgb{0, 0, t} : Rgb{t, t, t};
            float phase = float(frameIndex % 10) / 10.0f;
            put(f, x, y, c, fmodf(t + phase, 1.0f));
        }
}

// A high-dynamic-range frame: a sky that goes above 1, a sun at 50,
// negative values, and a corner of NaN and infinities.
void hdr(Frame* f, int frameIndex)
{
    float sunX = 0.3f + 0.05f * float(frameIndex % 8), sunY = 0.3f;
    for (int y = 0; y < f->height; y++)
        for (int x = 0; x < f->width; x++) {
            float u = float(x) / f->width, v = float(y) / f->height;
            float d = sqrtf((u - sunX) * (u - sunX) + (v - sunY) * (v - sunY));
            Rgb c = {0.4f + 1.6f * (1 - v), 0.6f + 1.4f * (1 - v), 1.0f + 2.0f * (1 - v)};
            if (d < 0.04f) c = {50.0f, 45.0f, 30.0f};
            if (v > 0.7f) c = {u - 0.5f, -0.25f, 0.5f - u};  // negative values below the horizon
            float a = 1.0f;
            if (u > 0.9f && v > 0.9f) {
                int k = (x + y) % 3;
                float special = k == 0 ? NAN : k == 1 ? INFINITY : -INFINITY;
                c = {special, special, special};
                a = special;
            }
            put(f, x, y, c, a);
        }
}

struct Sphere {
    float x, y, z, radius;
    Rgb colour;
};

// A small ray tracer: three spheres on a checkered plane under a sky, one
// sun with shadows and a highlight. Alpha is 0 where the ray leaves to the sky.
void spheres(Frame* f, int frameIndex)
{
    float t = float(frameIndex) * 0.15f;
    const Sphere balls[3] = {
        {-1.3f, 0.7f, 5.0f + 0.3f * sinf(t), 0.7f, {0.9f, 0.25f, 0.15f}},
        {0.2f, 0.55f + 0.3f * fabsf(sinf(t * 2)), 6.0f, 0.55f, {0.2f, 0.7f, 0.3f}},
        {1.4f, 0.9f, 7.0f, 0.9f, {0.25f, 0.35f, 0.9f}},
    };
    const float lx = -0.5f, ly = 0.8f, lz = -0.35f;  // towards the sun, normalised below
    float ll = sqrtf(lx * lx + ly * ly + lz * lz);
    float sx = lx / ll, sy = ly / ll, sz = lz / ll;
    float aspect = float(f->width) / float(f->height);
    for (int py = 0; py < f->height; py++)
        for (int px = 0; px < f->width; px++) {
            float dx = (2.0f * (px + 0.5f) / f->width - 1.0f) * aspect * 0.6f;
            float dy = (1.0f - 2.0f * (py + 0.5f) / f->height) * 0.6f + 0.1f;
            float dz = 1.0f;
            float dl = sqrtf(dx * dx + dy * dy + dz * dz);
            dx /= dl, dy /= dl, dz /= dl;
            const float ox = 0, oy = 1.0f, oz = 0;
            float best = 1e30f;
            int hit = -1;
            for (int i = 0; i < 3; i++) {
                float cx = ox - balls[i].x, cy = oy - balls[i].y, cz = oz - balls[i].z;
                float b = cx * dx + cy * dy + cz * dz;
                float c = cx * cx + cy * cy + cz * cz - balls[i].radius * balls[i].radius;
                float disc = b * b - c;
                if (disc > 0) {
                    float d = -b - sqrtf(disc);
                    if (d > 0 && d < best) best = d, hit = i;
                }
            }
            float planeT = dy < 0 ? -oy / dy : 1e30f;
            Rgb c;
            float alpha = 1.0f;
            float hx, hy, hz, nx, ny, nz;
            Rgb base;
            if (hit >= 0 && best < planeT) {
                hx = ox + dx * best, hy = oy + dy * best, hz = oz + dz * best;
                nx = (hx - balls[hit].x) / balls[hit].radius;
                ny = (hy - balls[hit].y) / balls[hit].radius;
                nz = (hz - balls[hit].z) / balls[hit].radius;
                base = balls[hit].colour;
            } else if (planeT < 1e29f) {
                hx = ox + dx * planeT, hy = 0, hz = oz + dz * planeT;
                nx = 0, ny = 1, nz = 0;
                int check = (int(floorf(hx)) + int(floorf(hz))) & 1;
                base = check ? Rgb{0.8f, 0.8f, 0.78f} : Rgb{0.25f, 0.25f, 0.28f};
                hit = 3;
            } else {
                float sky = 1.0f - dy;
                put(f, px, py, {0.35f * sky, 0.5f * sky, 0.9f}, 0.0f);
                continue;
            }
            float diffuse = nx * sx + ny * sy + nz * sz;
            if (diffuse < 0) diffuse = 0;
            // Shadow: does the way to the sun meet a sphere?
            for (int i = 0; i < 3 && diffuse > 0; i++) {
                if (i == hit) continue;
                float cx = hx - balls[i].x, cy = hy - balls[i].y, cz = hz - balls[i].z;
                float b = cx * sx + cy * sy + cz * sz;
                float cc = cx * cx + cy * cy + cz * cz - balls[i].radius * balls[i].radius;
                if (b < 0 && b * b - cc > 0) diffuse = 0;
            }
            float rx = 2 * diffuse * nx - sx, ry = 2 * diffuse * ny - sy, rz = 2 * diffuse * nz - sz;
            float highlight = -(rx * dx + ry * dy + rz * dz);
            highlight = hit < 3 && highlight > 0 && diffuse > 0 ? powf(highlight, 40.0f) * 1.5f : 0.0f;
            float ambient = 0.18f;
            c = {base.r * (ambient + diffuse) + highlight, base.g * (ambient + diffuse) + highlight,
                 base.b * (ambient + diffuse) + highlight};
            put(f, px, py, c, alpha);
        }
}

}  // namespace

int readPfm(const std::string& path, Frame* frame, std::string* error)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) {
        *error = "cannot open " + path;
        return 0;
    }
    char kind[3] = "";
    int width = 0, height = 0;
    double scale = 0;
    int ok = fscanf(f, "%2s %d %d %lf", kind, &width, &height, &scale) == 4 && fgetc(f) != EOF;
    int channels = strcmp(kind, "PF") == 0 ? 3 : strcmp(kind, "Pf") == 0 ? 1 : 0;
    if (!ok || !channels || width <= 0 || height <= 0 || width > 65536 || height > 65536 ||
        double(width) * height > 1e8) {
        fclose(f);
        *error = path + " is not a Portable Float Map this host reads";
        return 0;
    }
    allocate(frame, width, height);
    bool swap = scale > 0;  // positive scale: big-endian samples
    std::vector<float> row(size_t(width) * channels);
    for (int y = height - 1; y >= 0; y--) {  // rows are stored bottom-up
        if (fread(row.data(), sizeof(float), row.size(), f) != row.size()) {
            fclose(f);
            *error = path + " ends early";
            return 0;
        }
        for (int x = 0; x < width; x++) {
            float v[3];
            for (int c = 0; c < channels; c++) {
                float s = row[size_t(x) * channels + c];
                if (swap) {
                    uint8_t b[4];
                    memcpy(b, &s, 4);
                    uint8_t r[4] = {b[3], b[2], b[1], b[0]};
                    memcpy(&s, r, 4);
                }
                v[c] = s;
            }
            if (channels == 1) v[1] = v[2] = v[0];
            put(frame, x, y, {v[0], v[1], v[2]});
        }
    }
    fclose(f);
    return 1;
}

int renderPattern(const std::string& name, int width, int height, int frameIndex, Frame* frame, std::string* error)
{
    if (name.compare(0, 5, "file:") == 0) return readPfm(name.substr(5), frame, error);
    if (width <= 0 || height <= 0) {
        *error = "the frame size must be positive";
        return 0;
    }
    allocate(frame, width, height);
    if (name == "bars")
        bars(frame, frameIndex);
    else if (name == "ramps")
        ramps(frame, frameIndex);
    else if (name == "hdr")
        hdr(frame, frameIndex);
    else if (name == "spheres")
        spheres(frame, frameIndex);
    else {
        *error = "unknown pattern " + name + " (bars, ramps, hdr, spheres or file:PATH)";
        return 0;
    }
    return 1;
}
