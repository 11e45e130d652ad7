// Painting: the screens paint through these calls. A tick records what it paints and shows it at its end, with
// runs of fills drawn as one primitive list, and draws nothing when the picture (labels included) is the one
// already on screen. Outside a tick the calls draw at once.
#include "shell/shell.h"

#include "platform/platform.h"

#include <string>
#include <vector>

namespace {

enum PaintKind { fillCall, imageAtCall, imageIntoCall };

struct PaintCall {
    PaintKind kind;
    video::ITexture* texture;  // images only
    core::rect<s32> area;      // fills and stretched images; an image at a point keeps its corner here
    core::rect<s32> source;
    video::SColor colour;
};

bool operator==(const PaintCall& a, const PaintCall& b)
{
    return a.kind == b.kind && a.texture == b.texture && a.area == b.area && a.source == b.source &&
           a.colour == b.colour;
}

struct LabelLook {
    std::wstring text;
    video::SColor colour;
    core::rect<s32> place;
    bool visible = false;
};

bool operator==(const LabelLook& a, const LabelLook& b)
{
    return a.text == b.text && a.colour == b.colour && a.place == b.place && a.visible == b.visible;
}

bool recording = false;
std::vector<PaintCall> paintCalls;
// What the screen shows: its calls (the clear first) and labels, once a picture has been drawn.
std::vector<PaintCall> shownCalls;
LabelLook shownLabels[2];
bool pictureShown = false;

typedef core::rect<s32> Area;

// Where a tick paints again: areas of the window that do not overlap. Past this many, their bounding box.
std::vector<Area> areas;
const size_t maxAreas = 24;
bool canvasTried = false;    // a canvas was asked for since the last forgetShownPicture
bool canvasHoldsShown = false;  // the canvas holds the shown picture, so a tick may paint only what changed
// The window's size when the shown picture was drawn. A window manager may force another size on it: the picture
// then stays at its own size in the top-left corner, where the pointer's coordinates count from, and the rest of
// the window is cleared to this colour.
core::dimension2d<u32> shownWindow;
const video::SColor outsideColour(0xFF000000);

// Reused from tick to tick: the vertices and indices of a run of fills.
std::vector<video::S3DVertex> runVertices;
std::vector<u16> runIndices;
const size_t maxRunQuads = 65536 / 4;  // 16-bit indices

bool isEmpty(const Area& a) { return a.getWidth() <= 0 || a.getHeight() <= 0; }

Area intersection(const Area& a, const Area& b)
{
    return Area(core::max_(a.UpperLeftCorner.X, b.UpperLeftCorner.X), core::max_(a.UpperLeftCorner.Y, b.UpperLeftCorner.Y),
                core::min_(a.LowerRightCorner.X, b.LowerRightCorner.X),
                core::min_(a.LowerRightCorner.Y, b.LowerRightCorner.Y));
}

bool overlap(const Area& a, const Area& b) { return !isEmpty(intersection(a, b)); }

Area windowArea() { return Area(0, 0, screenWidth, screenHeight); }

// The pixels a call can change.
Area reach(const PaintCall& c)
{
    if (c.kind == fillCall)
        return c.area.isValid() ? intersection(c.area, windowArea()) : Area();
    if (c.kind == imageAtCall)
        return c.source.isValid() ? intersection(Area(c.area.UpperLeftCorner, c.source.getSize()), windowArea())
                                  : Area();
    Area r = c.area;  // a stretched image drawn mirrored still covers its rectangle
    r.repair();
    return intersection(r, windowArea());
}

// Where a label shows (empty when hidden).
Area placeOf(const LabelLook& label) { return label.visible ? intersection(label.place, windowArea()) : Area(); }

void addArea(const Area& a)
{
    if (!isEmpty(a))
        areas.push_back(a);
}

// The areas where this tick's calls differ from the shown ones: both the old and the new reach of each.
void addChangedCalls()
{
    const size_t n = paintCalls.size(), m = shownCalls.size();
    if (n == m) {
        for (size_t i = 0; i < n; ++i)
            if (!(paintCalls[i] == shownCalls[i]))
                addArea(reach(shownCalls[i])), addArea(reach(paintCalls[i]));
        return;
    }
    // A call came or went (a tooltip, the banner): all between the common head and tail.
    size_t head = 0, tail = 0;
    while (head < n && head < m && paintCalls[head] == shownCalls[head])
        ++head;
    while (tail < n - head && tail < m - head && paintCalls[n - 1 - tail] == shownCalls[m - 1 - tail])
        ++tail;
    for (size_t i = head; i < n - tail; ++i)
        addArea(reach(paintCalls[i]));
    for (size_t i = head; i < m - tail; ++i)
        addArea(reach(shownCalls[i]));
}

// Merges overlapping areas until none overlap, and all into one past maxAreas. The labels can only be drawn
// whole, so an area touching one takes in every shown label. Returns whether the labels are drawn.
bool settleAreas(const Area labelPlaces[], int labelCount)
{
    bool labels = false;
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < areas.size(); ++i)
            for (size_t j = i + 1; j < areas.size(); ++j)
                if (overlap(areas[i], areas[j])) {
                    areas[i].addInternalPoint(areas[j].UpperLeftCorner);
                    areas[i].addInternalPoint(areas[j].LowerRightCorner);
                    areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
                    changed = true;
                    j = i;
                }
        if (areas.size() > maxAreas) {
            Area box = areas[0];
            for (const Area& a : areas) {
                box.addInternalPoint(a.UpperLeftCorner);
                box.addInternalPoint(a.LowerRightCorner);
            }
            areas.assign(1, box);
        }
        if (!labels)
            for (int k = 0; k < labelCount; ++k)
                for (const Area& a : areas)
                    if (overlap(a, labelPlaces[k]))
                        labels = true;
        if (labels)
            for (int k = 0; k < labelCount; ++k) {
                bool inside = false;
                for (const Area& a : areas)
                    inside = inside || intersection(a, labelPlaces[k]) == labelPlaces[k];
                if (!inside) {
                    areas.push_back(labelPlaces[k]);
                    changed = true;
                }
            }
    }
    return labels;
}

void drawCall(const PaintCall& c)
{
    if (c.kind == fillCall) {
        driver->draw2DRectangle(c.colour, c.area);
    } else if (c.kind == imageAtCall) {
        driver->draw2DImage(c.texture, c.area.UpperLeftCorner, c.source, nullptr, c.colour, true);
    } else {
        const video::SColor corners[4] = {c.colour, c.colour, c.colour, c.colour};
        driver->draw2DImage(c.texture, c.area, c.source, nullptr, corners, true);
    }
}

void drawImage(const PaintCall& c, const Area& clip)
{
    if (c.kind == imageAtCall) {
        // Cut at whole pixels, as the image is drawn one texel to a pixel: the same texels land where they did.
        driver->draw2DImage(c.texture, c.area.UpperLeftCorner, c.source, &clip, c.colour, true);
    } else {
        // Cut by the scissor, so the sampling stays that of the whole image. The engine counts the scissor's rows
        // from the bottom of the render target, where the canvas has its top row.
        const video::SColor corners[4] = {c.colour, c.colour, c.colour, c.colour};
        const Area scissor(clip.UpperLeftCorner.X, screenHeight - clip.LowerRightCorner.Y, clip.LowerRightCorner.X,
                           screenHeight - clip.UpperLeftCorner.Y);
        driver->draw2DImage(c.texture, c.area, c.source, &scissor, corners, true);
    }
}

bool opaqueFill(const PaintCall& c) { return c.kind == fillCall && c.colour.getAlpha() == 255; }

// A run of fills that are all opaque or all translucent, from calls[first] on, cut to the areas, as one list of
// triangles: the same corners, colours and blending as one draw2DRectangle each, in the same order. Returns the
// end of the run.
size_t drawFillRun(const std::vector<PaintCall>& calls, size_t first)
{
    const bool opaque = opaqueFill(calls[first]);
    runVertices.clear();
    runIndices.clear();
    size_t end = first;
    for (; end < calls.size() && calls[end].kind == fillCall && opaqueFill(calls[end]) == opaque &&
           runVertices.size() / 4 + areas.size() <= maxRunQuads;
         ++end) {
        if (!calls[end].area.isValid())  // draw2DRectangle skips these as well
            continue;
        for (const Area& a : areas) {
            const Area r = intersection(calls[end].area, a);
            if (isEmpty(r))
                continue;
            const u16 base = static_cast<u16>(runVertices.size());
            const f32 x1 = static_cast<f32>(r.UpperLeftCorner.X), y1 = static_cast<f32>(r.UpperLeftCorner.Y);
            const f32 x2 = static_cast<f32>(r.LowerRightCorner.X), y2 = static_cast<f32>(r.LowerRightCorner.Y);
            const video::SColor c = calls[end].colour;
            runVertices.push_back(video::S3DVertex(x1, y1, 0, 0, 0, 0, c, 0, 0));
            runVertices.push_back(video::S3DVertex(x2, y1, 0, 0, 0, 0, c, 0, 0));
            runVertices.push_back(video::S3DVertex(x2, y2, 0, 0, 0, 0, c, 0, 0));
            runVertices.push_back(video::S3DVertex(x1, y2, 0, 0, 0, 0, c, 0, 0));
            for (u16 corner : {0, 1, 2, 0, 2, 3})
                runIndices.push_back(static_cast<u16>(base + corner));
        }
    }
    if (!runVertices.empty()) {
        video::SMaterial material;
        material.MaterialType = opaque ? video::EMT_SOLID : video::EMT_TRANSPARENT_VERTEX_ALPHA;
        material.Lighting = false;
        driver->setMaterial(material);
        driver->draw2DVertexPrimitiveList(runVertices.data(), runVertices.size(), runIndices.data(),
                                          runIndices.size() / 3, video::EVT_STANDARD, scene::EPT_TRIANGLES,
                                          video::EIT_16BIT);
    }
    return end;
}

// Paints the calls from first on within the areas, which do not overlap: each pixel sees the calls in order.
void paintAreas(size_t first)
{
    for (size_t i = first; i < paintCalls.size();) {
        if (paintCalls[i].kind == fillCall) {
            i = drawFillRun(paintCalls, i);
            continue;
        }
        const Area r = reach(paintCalls[i]);
        if (areas.size() == 1 && areas[0] == windowArea())  // the whole picture, on the canvas or the window
            drawCall(paintCalls[i]);
        else
            for (const Area& a : areas)
                if (overlap(r, a))
                    drawImage(paintCalls[i], a);
        ++i;
    }
}

// The canvas is an OpenGL framebuffer object of the window's size; elsewhere pictures are painted on the window.
bool haveCanvas()
{
    if (canvasTexture || canvasTried)
        return canvasTexture != nullptr;
    canvasTried = true;
    if (driver->getDriverType() != video::EDT_OPENGL || !driver->queryFeature(video::EVDF_FRAMEBUFFER_OBJECT) ||
        !canvasStepsAvailable())
        return false;
    const core::dimension2d<u32> size(screenWidth, screenHeight);
    canvasTexture = driver->addRenderTargetTexture(size, "canvas", video::ECF_A8R8G8B8);
    if (canvasTexture && canvasTexture->getSize() != size) {
        driver->removeTexture(canvasTexture);
        canvasTexture = nullptr;
    }
    return canvasTexture != nullptr;
}

// Nothing under an opaque fill of the whole window shows: the last such fill (there is always the clear)
// becomes the clear colour.
size_t lastWindowFill()
{
    for (size_t i = paintCalls.size(); i-- > 0;) {
        const core::rect<s32>& r = paintCalls[i].area;
        if (opaqueFill(paintCalls[i]) && r.UpperLeftCorner.X <= 0 && r.UpperLeftCorner.Y <= 0 &&
            r.LowerRightCorner.X >= screenWidth && r.LowerRightCorner.Y >= screenHeight)
            return i;
    }
    return 0;
}

// Draws the picture with the labels on top. With a canvas, only the areas where it differs from the shown one
// are painted again (all of it when the canvas does not hold the shown picture), and the canvas is then put on
// the window whole.
void drawPicture(const LabelLook labels[2])
{
    const size_t under = lastWindowFill();
    const video::SColor clear = paintCalls[under].colour;
    const bool canvas = haveCanvas();
    bool whole = !canvas || !canvasHoldsShown;
    areas.clear();
    Area labelPlaces[2];
    int labelCount = 0;
    for (int k = 0; k < 2; ++k)
        if (!isEmpty(placeOf(labels[k])))
            labelPlaces[labelCount++] = placeOf(labels[k]);
    bool drawLabels = true;
    if (whole) {
        areas.push_back(windowArea());
    } else {
        addChangedCalls();
        for (int k = 0; k < 2; ++k)
            if (!(labels[k] == shownLabels[k]))
                addArea(placeOf(shownLabels[k])), addArea(placeOf(labels[k]));
        drawLabels = settleAreas(labelPlaces, labelCount);
        // A pixel costs more in an area than in a whole picture (the clear is a fill, images are cut), so past
        // half the window the whole picture is the cheaper one.
        long long covered = 0;
        for (const Area& a : areas)
            covered += a.getArea();
        if (2 * covered > static_cast<long long>(screenWidth) * screenHeight) {
            whole = true;
            drawLabels = true;
            areas.assign(1, windowArea());
        }
    }

    // The engine sizes its viewport and 2D projection by the window. On a window of another size the canvas keeps
    // the picture's size. Straight on an OpenGL window, the engine is told the window has the picture's size while
    // it paints, and the viewport goes to the window's top-left corner: the projection and the clipping at the
    // picture's edges are those of a window of its size (with the window's, stretched images sample differently).
    const core::dimension2d<u32> window = driver->getScreenSize(), picture(screenWidth, screenHeight);
    const bool forced = window != picture, aroundPicture = forced && !canvas;
    const bool placed = aroundPicture && driver->getDriverType() == video::EDT_OPENGL;
    // The 2D material never reads or writes depth: clearing the depth buffer would only cost a pass over it.
    driver->beginScene(!canvas || forced, false, forced ? outsideColour : clear, video::SExposedVideoData(), nullptr);
    if (canvas) {
        driver->setRenderTarget(canvasTexture, whole, false, clear);
        beginCanvasPainting();
    } else if (placed) {
        driver->OnResize(picture);
        placeViewportTopLeft(screenWidth, screenHeight, static_cast<int>(window.Height));
    }
    // A whole picture starts from the clear, unless that went around it; areas start from the fill that became it.
    paintAreas(whole && !aroundPicture ? under + 1 : under);
    if (drawLabels)
        guiEnv->drawAll();
    if (canvas) {
        driver->setRenderTarget(nullptr, false, false);
        copyCanvasToWindow(screenWidth, screenHeight, static_cast<int>(window.Height));
    } else if (placed) {
        driver->OnResize(window);
    }
    driver->endScene();
    canvasHoldsShown = canvas;
    shownWindow = window;
}

LabelLook lookOf(gui::IGUIStaticText* label)
{
    LabelLook look;
    if (label) {
        look.text = label->getText();
        look.colour = label->getOverrideColor();
        look.place = label->getRelativePosition();
        look.visible = label->isVisible();
    }
    return look;
}

void paint(const PaintCall& call)
{
    if (recording)
        paintCalls.push_back(call);
    else
        drawCall(call);
}

} // namespace

void paintRectangle(video::SColor colour, const core::rect<s32>& area)
{
    paint(PaintCall{fillCall, nullptr, area, core::rect<s32>(), colour});
}

void paintImage(video::ITexture* texture, const core::position2d<s32>& at, const core::rect<s32>& source,
                video::SColor colour)
{
    if (texture)
        paint(PaintCall{imageAtCall, texture, core::rect<s32>(at, at), source, colour});
}

void paintImageInto(video::ITexture* texture, const core::rect<s32>& area, const core::rect<s32>& source,
                    video::SColor colour)
{
    if (texture)
        paint(PaintCall{imageIntoCall, texture, area, source, colour});
}

void startPicture(video::SColor clear)
{
    recording = true;
    paintCalls.clear();
    paintCalls.push_back(PaintCall{fillCall, nullptr, core::rect<s32>(0, 0, screenWidth, screenHeight),
                                   core::rect<s32>(), clear});
}

bool showPicture()
{
    recording = false;
    const LabelLook labels[2] = {lookOf(infoLabel), lookOf(sizeLabel)};
    // An unchanged picture is not drawn again: what the window system loses of it, it reports, and
    // repairShownPicture puts back.
    if (pictureShown && driver->getScreenSize() == shownWindow && paintCalls == shownCalls &&
        labels[0] == shownLabels[0] && labels[1] == shownLabels[1])
        return false;
    drawPicture(labels);
    paintCalls.swap(shownCalls);
    shownLabels[0] = labels[0];
    shownLabels[1] = labels[1];
    pictureShown = true;
    return true;
}

void repairShownPicture()
{
    if (!pictureShown)
        return;
    // With a canvas that holds it, nothing differs: the canvas is only put on the window again.
    paintCalls = shownCalls;
    const LabelLook labels[2] = {lookOf(infoLabel), lookOf(sizeLabel)};
    drawPicture(labels);
}

void showPictureWhole()
{
    // A canvas that no longer holds the picture is painted again in full.
    canvasHoldsShown = false;
    repairShownPicture();
}

void forgetShownPicture()
{
    recording = false;
    paintCalls.clear();
    shownCalls.clear();
    pictureShown = false;
    canvasTried = false;
    canvasHoldsShown = false;
}
