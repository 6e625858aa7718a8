#include "debugging/BreakThread.h"

#include <xcb/xcb.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <vector>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr xcb_keysym_t kPauseKeysym = 0xff13;
constexpr xcb_keysym_t kBreakKeysym = 0xff6b;
// Caps Lock, Num Lock (Mod2 on every usual keyboard map) and the two modifiers Scroll Lock may
// sit on: the grab holds whichever of them are on.
constexpr std::array<std::uint16_t, 4> kLockModifiers = {XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                         XCB_MOD_MASK_3, XCB_MOD_MASK_5};

std::atomic<int> s_liveThreads{0};

struct TFree {
    void operator()(void* pointer) const noexcept { std::free(pointer); }
};
template <class T>
using TReply = std::unique_ptr<T, TFree>;

// The key codes whose symbols include Pause or Break.
std::vector<xcb_keycode_t> breakKeyCodes(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    TReply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr));
    std::vector<xcb_keycode_t> codes;
    if (!mapping || mapping->keysyms_per_keycode == 0)
        return codes;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perCode = mapping->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int level = 0; level < perCode; ++level) {
            const xcb_keysym_t symbol = symbols[code * perCode + level];
            if (symbol == kPauseKeysym || symbol == kBreakKeysym) {
                codes.push_back(static_cast<xcb_keycode_t>(setup->min_keycode + code));
                break;
            }
        }
    }
    return codes;
}

} // namespace

TBreakThread::TBreakThread(std::atomic<std::uint32_t>& counter, const char* display)
    : m_counter(counter) {
    m_connection = xcb_connect(display, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wake < 0) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    // Grabbed here, before the thread starts, so that a press right after creation counts.
    GrabBreakKeys();
    ++s_liveThreads;
    m_thread = std::thread([this] { Execute(); });
}

TBreakThread::~TBreakThread() {
    if (m_thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_wake, &one, sizeof one);
        m_thread.join();
    }
    // Closing the connection releases its grabs.
    if (m_connection)
        xcb_disconnect(m_connection);
    if (m_wake >= 0)
        close(m_wake);
}

int TBreakThread::LiveThreads() noexcept {
    return s_liveThreads.load();
}

void TBreakThread::GrabBreakKeys() {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    for (const xcb_keycode_t code : breakKeyCodes(m_connection)) {
        for (unsigned locks = 0; locks < (1u << kLockModifiers.size()); ++locks) {
            std::uint16_t modifiers = XCB_MOD_MASK_CONTROL;
            for (std::size_t bit = 0; bit < kLockModifiers.size(); ++bit)
                if (locks & (1u << bit))
                    modifiers |= kLockModifiers[bit];
            // A key another program grabbed already fails; breaks then never come.
            TReply<xcb_generic_error_t> error(xcb_request_check(
                m_connection, xcb_grab_key_checked(m_connection, 1, root, modifiers, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
        }
    }
    xcb_flush(m_connection);
}

void TBreakThread::Execute() {
    std::array<pollfd, 2> watched = {pollfd{xcb_get_file_descriptor(m_connection), POLLIN, 0},
                                     pollfd{m_wake, POLLIN, 0}};
    while (!xcb_connection_has_error(m_connection)) {
        HandleEvents();
        if (poll(watched.data(), watched.size(), -1) < 0 && errno != EINTR)
            break;
        if (watched[1].revents != 0)
            break;
    }
    --s_liveThreads;
}

void TBreakThread::HandleEvents() {
    while (TReply<xcb_generic_event_t> event{xcb_poll_for_event(m_connection)}) {
        if ((event->response_type & 0x7F) == XCB_KEY_PRESS)
            m_counter.fetch_add(1);
    }
}
