// Placeholder translation unit for a library whose folder has no sources of its own.
