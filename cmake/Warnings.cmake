# Warnings for every target of the project (not for third-party code).
add_compile_options(-Wall -Wextra)
