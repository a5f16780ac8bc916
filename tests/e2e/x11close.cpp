// Asks the X window whose title is given to close, as a window manager's close box does:
//   x11close TITLE
// Exits 0 when the request was sent, 1 when no such window was found.

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

std::string title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
    auto* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    std::string text;
    if (reply) {
        text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: x11close TITLE\n";
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::cerr << "x11close: no display\n";
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr);
    int sent = 0;
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            const xcb_window_t w = children[i];
            if (title(c, w, netName) != argv[1] && title(c, w, XCB_ATOM_WM_NAME) != argv[1])
                continue;
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = w;
            event.type = protocols;
            event.data.data32[0] = deleteWindow;
            event.data.data32[1] = XCB_CURRENT_TIME;
            xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
            ++sent;
        }
        std::free(tree);
    }
    xcb_flush(c);
    xcb_disconnect(c);
    return sent ? 0 : 1;
}
