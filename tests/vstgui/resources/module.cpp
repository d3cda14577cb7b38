// The module exists for its resources; it has no code of its own.
