# SPDX-License-Identifier: MIT
# Stands in for a test whose tools are missing: it fails, saying which.
message(FATAL_ERROR "${TEST} cannot run: missing ${MISSING}")
