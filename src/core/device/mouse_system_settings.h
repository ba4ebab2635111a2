#pragma once

// The desktop's own mouse settings of the current user (pointer speed,
// double-click speed, wheel lines). A platform without them has none, and
// the transfers then leave the desktop alone.
class MouseSystemSettings
{
public:
    virtual ~MouseSystemSettings() = default;
    // Reads the user's settings into the advanced page (mouse key first,
    // then the desktop key); after start-up and after every read-all.
    virtual void refreshFromSystem() = 0;
    // Stores the page's choices in the user's settings and applies them to
    // the running desktop; part of every write-all. Results are not used.
    virtual void storeAndApply() = 0;
};
