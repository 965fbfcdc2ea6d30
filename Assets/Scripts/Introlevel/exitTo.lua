-- The intro level's exit leads down to the second level.
nextScene = "../Assets/Scenes/Deeplevel.json"
