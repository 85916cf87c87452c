// Placeholder translation unit until the embedded catalogues are generated.
