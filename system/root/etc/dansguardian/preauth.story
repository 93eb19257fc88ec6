# Before any filtering: every client is filtered the same way, nothing is let through
# on the client's address alone.
function(pre-authcheck)
function(thttps-pre-authcheck)
function(icap-pre-authcheck)
