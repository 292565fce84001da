// The source the precompiled headers are built with (cmake/pch.cmake).
