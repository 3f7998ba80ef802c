#include "base/x11windows.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#ifdef TARVELLO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace tarvello {

#ifdef TARVELLO_HAVE_XCB

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The child of the root that holds `window`: under a reparenting window manager that is the
// frame it put around it.
xcb_window_t topLevelOf(xcb_connection_t *connection, xcb_window_t window, xcb_window_t root)
{
    for (int depth = 0; depth < 64; ++depth) {
        const Reply<xcb_query_tree_reply_t> tree(
                xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree)
            return XCB_WINDOW_NONE;
        if (tree->parent == root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

} // namespace

QList<QRect> x11WindowFrames(const QList<WId> &excluded)
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    // Qt opens the display's default screen; a desktop with more than one X screen (not to be
    // confused with monitors, which share one root) is long out of use.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    if (!tree)
        return {};
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());

    QList<xcb_window_t> skipped;
    for (WId id : excluded) {
        const xcb_window_t top = topLevelOf(connection, xcb_window_t(id), root);
        if (top != XCB_WINDOW_NONE)
            skipped.append(top);
    }

    // All questions first, then the answers: one round trip, not two per window.
    QList<xcb_get_window_attributes_cookie_t> attributes;
    QList<xcb_get_geometry_cookie_t> geometries;
    for (int i = 0; i < count; ++i) {
        attributes.append(xcb_get_window_attributes(connection, children[i]));
        geometries.append(xcb_get_geometry(connection, children[i]));
    }

    QList<QRect> frames;
    for (int i = 0; i < count; ++i) {
        const Reply<xcb_get_window_attributes_reply_t> attribute(
                xcb_get_window_attributes_reply(connection, attributes.at(i), nullptr));
        const Reply<xcb_get_geometry_reply_t> geometry(
                xcb_get_geometry_reply(connection, geometries.at(i), nullptr));
        // A window may be gone between the two questions.
        if (!attribute || !geometry || skipped.contains(children[i]))
            continue;
        if (attribute->map_state != XCB_MAP_STATE_VIEWABLE || attribute->_class == XCB_WINDOW_CLASS_INPUT_ONLY)
            continue;
        const int border = geometry->border_width;
        frames.append(QRect(geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border));
    }
    return frames;
}

#else

QList<QRect> x11WindowFrames(const QList<WId> &)
{
    return {};
}

#endif

} // namespace tarvello
