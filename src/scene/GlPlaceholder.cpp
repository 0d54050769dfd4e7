// Keeps the GL drawing library non-empty until its first drawing unit lands.
namespace plumex_gl_detail { int Anchor() { return 0; } }
