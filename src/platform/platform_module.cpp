// Keeps the platform library valid while it has no other sources.
