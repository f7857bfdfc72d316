source "$(dirname "$0")/gui_lib.sh"
start_program
wait_window '^Camera$' 60 >/dev/null || fail "start-up did not finish"
main=$(wait_window '^Dalvenor$')
click_in "$main" 285 10
menu=$(open_menu_window) || fail "no help menu"
geometry "$menu"
echo "menu $WIDTH $HEIGHT"
screenshot h1
